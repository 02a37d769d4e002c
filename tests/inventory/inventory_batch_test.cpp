// The inventory dialog's batch orders: sell-out and day-trade over the ticked rows with
// one confirmation, and keep into the host's order list; each order under its row's
// account, sent once, built from the rows as they were when the button was pressed.
#include <gtest/gtest.h>

#include <headless/headless.h>
#include <input/input.h>

#include <CConfirmOrder.h>
#include <CommonUtilities.h>
#include <JqzCAManagementDlg.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "host/environment.h"
#include "inventory_scene.h"

namespace inventorytest {
namespace {

using moduletest::Account;

// "account symbol unit credit side priceType price quantity" of a transcript order.
std::string Line(const nlohmann::json& o) {
  char price[32];
  std::snprintf(price, sizeof price, "%g", o["price"].get<double>());
  return o["account"].get<std::string>() + " " + o["symbol"].get<std::string>() + " " +
         o["unit"].get<std::string>() + o["credit"].get<std::string>() +
         o["side"].get<std::string>() + o["priceType"].get<std::string>() + " " + price + " " +
         std::to_string(o["quantity"].get<int>());
}

std::string Acct(int index) { return Account(index).m_strAccount.GetString(); }

class InventoryBatchTest : public InventoryTest {
 protected:
  void SetUp() override {
    InventoryTest::SetUp();
    Quote(16, "2330", "台積電");
    Quote(16, "1101", "台泥");
    Quote(16, "2882", "國泰金");
    Quote(122, "6488", "環球晶");
    data_.quotes[{122, "6488"}].items[125] = 480.0;
    Hold(0, DSRecord("2330", [](auto& r) {
           r.m_nCashYesterday = r.m_nCashToday = 2500;
           r.m_nCashOrderSell = 1000;
           r.m_nMarginYesterday = r.m_nMarginToday = 3000;
         }));
    Hold(0, DSRecord("1101", [](auto& r) { r.m_nCashYesterday = r.m_nCashToday = 300; }));
    Hold(0, DSRecord("6488", [](auto& r) { r.m_nCashYesterday = r.m_nCashToday = 2000; }));
    Hold(1, DSRecord("2882", [](auto& r) {
           r.m_nShortYesterday = r.m_nShortToday = 2000;
           r.m_nShortOrderBuy = 1000;
         }));
    host::SetLogSink([this](const std::string& line) {
      logged += line.find(Lang("IDS_COMMON_LOG_WR_MSG61")) != std::string::npos;
    });
    testsupport::AnswerMessageBoxes([this](const std::string& text, const std::string&, UINT type) {
      boxes.push_back(text);
      return onBox ? onBox(text, type) : IDOK;
    });
    testsupport::AnswerDialogs([this](HWND dialog) -> INT_PTR {
      CWnd* wnd = CWnd::FromHandlePermanent(dialog);
      if (dynamic_cast<CConfirmOrder*>(wnd)) {
        confirmed.clear();
        HWND list = ::GetDlgItem(dialog, IDC_QZ_CONFIRM_LIST);
        for (int row = 0; row < moduletest::ListRows(list); ++row)
          confirmed.push_back(moduletest::ListCell(list, row, 0) + " " +
                              moduletest::ListCell(list, row, 2));
        confirmAccount = Text(::GetDlgItem(dialog, IDC_QZ_CONFIRM_ACCOUNT));
        ++confirmations;
        return onConfirm ? onConfirm() : IDOK;
      }
      if (dynamic_cast<JqzCAManagementDlg*>(wnd)) {
        char text[128] = {};
        ::GetDlgItemTextA(dialog, IDC_QZ_CA_ACCOUNT, text, sizeof text);
        dialogs.push_back(std::string("ca ") + text);
        return IDOK;
      }
      dialogs.push_back("other");
      return IDCANCEL;
    });
  }

  void ChooseSecond(JqzOrderBaseView* view) {
    CString name;
    Dialog(view)->vGetAccountDisplayName(Account(1), name, false);
    Choose(view, name.str());
  }
  JqzOrderBaseView* OpenAll() {
    JqzOrderBaseView* view = Open();
    Choose(view, AllAccountsEntry(65));
    return view;
  }
  void TearDown() override {
    host::SetLogSink(nullptr);
    InventoryTest::TearDown();
  }
  void Press(JqzOrderBaseView* view, int id) {
    ::SendMessageA(DialogOf(view), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Control(view, id)));
    headless::PumpMessages();
  }
  void TickAll(JqzOrderBaseView* view) {
    ASSERT_TRUE(input::ClickButton(Control(view, IDC_CHK_SELECT_ALL)));
  }
  // Ticks the name-list box of the row whose name shows the text.
  void Tick(JqzOrderBaseView* view, const std::string& name) {
    for (int row = 0; row < Rows(view); ++row)
      if (Name(view, row).find(name) != std::string::npos) {
        ASSERT_TRUE(input::ClickListCell(Names(view), row, 0));
        return;
      }
    FAIL() << "no row " << name;
  }
  std::vector<std::string> Sent(const char* kind = "order") const {
    std::vector<std::string> out;
    for (const auto& e : Events(kind)) out.push_back(Line(e["order"]));
    return out;
  }
  static std::string Lang(const char* key) { return s_LangGetLangString(key).str(); }

  std::vector<std::string> boxes;
  std::vector<std::string> dialogs;
  std::vector<std::string> confirmed;
  std::string confirmAccount;
  int confirmations = 0;
  int logged = 0;
  std::function<int(const std::string&, UINT)> onBox;
  std::function<INT_PTR()> onConfirm;
};

TEST_F(InventoryBatchTest,
       AllAccountsSellOutSendsEachRowsOrdersUnderItsOwnAccountAfterOneConfirmation) {
  JqzOrderBaseView* view = OpenAll();
  ASSERT_EQ(Rows(view), 4);
  TickAll(view);
  Press(view, IDC_BTN_CLEAR_OUT);

  EXPECT_EQ(confirmations, 1);
  EXPECT_NE(confirmAccount.find(Lang("IDS_WARRANTQUOTEVIEW-STRING_ALL")), std::string::npos);
  // Rows in key order per account: 1101 odd lot only; 2330 cash lots, margin, odd lot;
  // 6488 over the counter at the current price; 2882 short cover under the second account.
  const std::vector<std::string> expected = {
      Acct(0) + " 1101 EAS7 0 300", Acct(0) + " 2330 AAS7 0 1",   Acct(0) + " 2330 ABS7 0 3",
      Acct(0) + " 2330 EAS7 0 500", Acct(0) + " 6488 AAS2 480 2", Acct(1) + " 2882 ACB6 0 1"};
  EXPECT_EQ(Sent(), expected);
  ASSERT_EQ(confirmed.size(), expected.size());
  EXPECT_EQ(confirmed.back().substr(0, Acct(1).size()), Acct(1));
  for (const auto& e : Events("order")) {
    EXPECT_EQ(e["order"]["exchange"], "TWSE");
    EXPECT_EQ(e["order"]["serial"], "");
    EXPECT_TRUE(e["accepted"].get<bool>());
  }
  EXPECT_EQ(logged, 1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(InventoryBatchTest, CancelledOrEmptyBatchesSendNothingAndSayWhy) {
  JqzOrderBaseView* view = Open();
  // Clicks on the wide list tick nothing the user can see.
  ASSERT_TRUE(input::ClickListCell(Main(view), 0, 0));
  Press(view, IDC_BTN_CLEAR_OUT);
  Press(view, IDC_BTN_DAY_TRADE);
  EXPECT_EQ(boxes, (std::vector<std::string>{Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG3"),
                                             Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG3")}));
  Tick(view, "2330");
  onConfirm = [] { return IDCANCEL; };
  Press(view, IDC_BTN_CLEAR_OUT);
  EXPECT_EQ(confirmations, 1);
  EXPECT_TRUE(Sent().empty());
  // Nothing to day-trade in the ticked row.
  Press(view, IDC_BTN_DAY_TRADE);
  EXPECT_EQ(boxes.back(), Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG5"));
  EXPECT_EQ(confirmations, 1);
}

TEST_F(InventoryBatchTest, ACodeNoMarketKnowsIsNamedAndLeftOutOfEveryBatch) {
  Hold(1, DSRecord("9999", [](auto& r) { r.m_nCashYesterday = r.m_nCashToday = 2500; }));
  JqzOrderBaseView* view = Open();
  ChooseSecond(view);
  Tick(view, "9999");
  Press(view, IDC_BTN_CLEAR_OUT);
  Press(view, IDC_BTN_KEEP);
  const std::string named = "9999 查無報價市場，未建立委託。";
  const std::string none = Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG4");
  EXPECT_EQ(boxes, (std::vector<std::string>{named, none, named, none}));
  Tick(view, "2882");
  Press(view, IDC_BTN_CLEAR_OUT);
  EXPECT_EQ(boxes.back(), named);
  EXPECT_EQ(Sent(), std::vector<std::string>{Acct(1) + " 2882 ACB6 0 1"});
  EXPECT_TRUE(Events("orderList").empty());
}

TEST_F(InventoryBatchTest, DayTradeSellsWhenBothCellsAreSetAndCountsKeepTheirThousands) {
  Hold(1, DSRecord("1101", [](auto& r) {
         r.m_nMarginDealSell = 2000;
         r.m_nShortToday = 1000;
       }));
  Hold(1, DSRecord("2330", [](auto& r) { r.m_nShortToday = 1200000; }));
  JqzOrderBaseView* view = Open();
  ChooseSecond(view);
  ASSERT_EQ(Rows(view), 3);
  TickAll(view);
  Press(view, IDC_BTN_DAY_TRADE);
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{Acct(1) + " 1101 ACS7 0 2", Acct(1) + " 2330 ABB1 0 1200",
                                      Acct(1) + " 2882 ABB1 0 2"}));
  EXPECT_EQ(confirmations, 1);
}

TEST_F(InventoryBatchTest, KeepListsEveryOrderWithASerialAndReportsTheRefusedOne) {
  JqzOrderBaseView* view = Open();
  Tick(view, "2330");
  host::Broker::Instance().RefuseOrderList(1, "委託清單已滿");
  Press(view, IDC_BTN_KEEP);

  EXPECT_EQ(confirmations, 0);
  EXPECT_TRUE(Sent().empty());
  const auto listed = Events("orderList");
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_FALSE(listed[0]["accepted"].get<bool>());
  EXPECT_EQ(Sent("orderList")[1], Acct(0) + " 2330 ABS7 0 3");
  const auto& list = host::Broker::Instance().OrderList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_FALSE(list[0].m_strSN.IsEmpty());
  EXPECT_NE(list[0].m_strSN, list[1].m_strSN);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("3 筆委託中 2 筆"), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find("委託清單已滿"), std::string::npos);
  EXPECT_EQ(boxes[0].find(Lang("IDS_ORDER-COMMON_ADD_TO_LIST")), std::string::npos);

  Press(view, IDC_BTN_KEEP);
  EXPECT_EQ(boxes.back(), Lang("IDS_ORDER-COMMON_ADD_TO_LIST"));
  EXPECT_EQ(host::Broker::Instance().OrderList().size(), 5u);
}

TEST_F(InventoryBatchTest, ARefreshOrAccountChangeDuringTheConfirmationChangesNothingInTheBatch) {
  JqzOrderBaseView* view = Open();
  Tick(view, "2330");
  onConfirm = [&] {
    // A new answer and another account while the confirmation is open.
    input::ClickButton(Control(view, IDC_BTN_QUERY_STOCKS));
    WaitForAnswer();
    ChooseSecond(view);
    return IDOK;
  };
  Press(view, IDC_BTN_CLEAR_OUT);
  EXPECT_NE(Name(view, 0).find("2882"), std::string::npos);
  EXPECT_EQ(confirmed.size(), 3u);
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{Acct(0) + " 2330 AAS7 0 1", Acct(0) + " 2330 ABS7 0 3",
                                      Acct(0) + " 2330 EAS7 0 500"}));
}

TEST_F(InventoryBatchTest, ASecondPressWhileARefusalIsShownIsIgnoredAndNothingGoesTwice) {
  data_.rejections.push_back({Account(0).m_strAccount, "2330", 0, "額度不足", 1});
  data_.rejections.push_back({Account(1).m_strAccount, "", 0, "10000", 1});
  JqzOrderBaseView* view = OpenAll();
  TickAll(view);
  onBox = [&](const std::string& text, UINT) {
    if (text == "額度不足")
      for (int id : {IDC_BTN_CLEAR_OUT, IDC_BTN_DAY_TRADE, IDC_BTN_KEEP}) Press(view, id);
    return text.find('\n') != std::string::npos ? IDYES : IDOK;
  };
  Press(view, IDC_BTN_CLEAR_OUT);

  EXPECT_EQ(confirmations, 1);
  EXPECT_TRUE(Events("orderList").empty());
  const auto orders = Events("order");
  ASSERT_EQ(orders.size(), 6u);
  EXPECT_FALSE(orders[1]["accepted"].get<bool>());
  EXPECT_FALSE(orders[5]["accepted"].get<bool>());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "額度不足");
  // The certificate question names the refused order's own account.
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_NE(dialogs[0].find(Acct(1) + Account(1).m_strSubAccount.GetString()), std::string::npos);
}

}  // namespace
}  // namespace inventorytest
