// The host's modal order dialogs answered by the responder, and the resource guard.
#include <afxwin.h>

#include <headless/headless.h>
#include <stdexcept>

#include "CAutoDllResource.h"
#include "CConfirmOrder.h"
#include "JqzCAManagementDlg.h"
#include "JqzChangeOrder.h"
#include "host/resources.h"
#include "host_fixture.h"

namespace {

CBaseOrder_OrderInfo SellOrder() {
  CBaseOrder_OrderInfo order;
  order.m_Commodity.m_strExchange = "TWSE";
  order.m_Commodity.m_nTradeUnit = 'A';
  order.m_Commodity.m_nCreditType = 'A';
  order.m_Commodity.m_strStockNo = "2330";
  order.m_nSide = 'S';
  order.m_nPriceType = order.m_nPriceType2 = '2';
  order.m_dPrice = 600.0;
  order.m_nQty = 2;
  return order;
}

std::string TextOf(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void Press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

using OrderDialogsTest = hosttest::HostTest;

TEST_F(OrderDialogsTest, TheEditedOrderReplacesThePreparedOneOnlyOnOK) {
  CBaseOrder_OrderInfo order = SellOrder();
  const AccountType account = hosttest::LoginAccounts()[0];
  std::string symbol;
  testsupport::AnswerDialogs([&](HWND dialog) -> INT_PTR {
    symbol = TextOf(dialog, IDC_QZ_CHANGE_SYMBOL);
    EXPECT_EQ(TextOf(dialog, IDC_QZ_CHANGE_QTY), "2");
    EXPECT_EQ(TextOf(dialog, IDC_QZ_CHANGE_PRICE), "600");
    SetDlgItemTextA(dialog, IDC_QZ_CHANGE_QTY, "3");
    SetDlgItemTextA(dialog, IDC_QZ_CHANGE_PRICE, "598.5");
    Press(dialog, IDOK);
    return IDCANCEL;
  });
  EXPECT_EQ(JqzChangeOrder(&order, nullptr, account).DoModal(), IDOK);
  EXPECT_EQ(symbol, "現股賣出 2330");
  EXPECT_EQ(order.m_nQty, 3);
  EXPECT_DOUBLE_EQ(order.m_dPrice, 598.5);

  // A quantity of 0 is refused with a message and the dialog stays; Cancel keeps the order.
  testsupport::AnswerDialogs([&](HWND dialog) -> INT_PTR {
    SetDlgItemTextA(dialog, IDC_QZ_CHANGE_QTY, "0");
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindow(dialog));
    return IDCANCEL;
  });
  headless::ClearMessageBoxLog();
  EXPECT_EQ(JqzChangeOrder(&order, nullptr, account).DoModal(), IDCANCEL);
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
  EXPECT_EQ(headless::MessageBoxLog()[0].text, "委託數量必須大於零");
  EXPECT_EQ(order.m_nQty, 3);
  EXPECT_EQ(JqzChangeOrder(nullptr, nullptr, account).DoModal(), IDCANCEL);
}

TEST_F(OrderDialogsTest, ConfirmationListsEveryOrderOfTheBatch) {
  std::vector<CBaseOrder_OrderInfo> orders{SellOrder(), SellOrder()};
  orders[1].m_Commodity.m_nTradeUnit = 'E';
  orders[1].m_nQty = 500;
  orders[1].m_nPriceType = orders[1].m_nPriceType2 = '7';
  int lines = -1;
  std::string count, second;
  testsupport::AnswerDialogs([&](HWND dialog) -> INT_PTR {
    HWND list = GetDlgItem(dialog, IDC_QZ_CONFIRM_LIST);
    lines = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    count = TextOf(dialog, IDC_QZ_CONFIRM_COUNT);
    return IDOK;
  });
  EXPECT_EQ(CConfirmOrder(&orders, nullptr, hosttest::LoginAccounts()[0], false, false, false).DoModal(),
            IDOK);
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(count, "共 2 筆委託，確定送出？");
  EXPECT_EQ(CConfirmOrder::strOrderLine(orders[1]), "現股賣出 2330 零股 500股 跌停");

  CBaseOrder_OrderInfo single = SellOrder();
  testsupport::AnswerDialogs([&](HWND) -> INT_PTR { return IDCANCEL; });
  EXPECT_EQ(CConfirmOrder(&single, nullptr, hosttest::LoginAccounts()[0]).DoModal(), IDCANCEL);
}

TEST_F(OrderDialogsTest, CertificateManagementShowsTheAccount) {
  std::string account;
  testsupport::AnswerDialogs([&](HWND dialog) -> INT_PTR {
    account = TextOf(dialog, IDC_QZ_CA_ACCOUNT);
    return IDOK;
  });
  JqzCAManagementDlg dlg("", "123456701", nullptr);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(account, "帳號：123456701");
}

TEST_F(OrderDialogsTest, TheResourceGuardRestoresAlsoWhenAnExceptionPasses) {
  const HINSTANCE before = AfxGetResourceHandle();
  const HINSTANCE hostHandle = host::HostResourceHandle();
  try {
    CAutoDllResource guard(hostHandle);
    EXPECT_EQ(AfxGetResourceHandle(), hostHandle);
    EXPECT_EQ(guard.m_hCurrentResource, before);
    throw std::runtime_error("passes");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(AfxGetResourceHandle(), before);
  {
    CAutoDllResource own;  // the caller's module: this program
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
  }
  EXPECT_EQ(AfxGetResourceHandle(), before);
}

}  // namespace
