// Orders from the classic positions list: a click on an action cell, the host's
// order-change dialog, the confirmation, the send through the broker and what the
// user is told; and the average-cost dialog with its flow.
#include <gtest/gtest.h>

#include <input/input.h>

#include <CConfirmOrder.h>
#include <CDlgTipMsg.h>
#include <JqzCAManagementDlg.h>
#include <JqzChangeOrder.h>
#include <JqzOrderBaseDlg.h>
#include <OrderBK.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "CDlgSetAvgDealPrice.h"
#include "host/environment.h"
#include "positions_scene.h"

namespace positionstest {
namespace {

constexpr char kClose[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED5";
constexpr char kOdd[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED6";
constexpr char kDayTrade[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED8";
constexpr char kCode[] = "IDS_ORDER-ITEM_STOCKCODE";
constexpr char kKind[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED9";

template <class T>
T* DialogAs(HWND dialog) {
  return dynamic_cast<T*>(CWnd::FromHandlePermanent(dialog));
}

void Press(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

class PositionOrdersTest : public PositionsTest {
 protected:
  void SetUp() override {
    PositionsTest::SetUp();
    Quote(16, "2330", "台積電", {{101, 600.0}, {102, 601.0}, {125, 600.0}, {129, 590.0}});
    Quote(16, "2882", "國泰金", {{101, 0.0}, {102, 0.0}, {125, 55.3}, {129, 55.0}});
    data_.boardLots["2330"] = 1000;
    data_.sections["CTABFAINANCESTOCKUNOFFSET"] = Section({kCode, kKind, kClose, kOdd, kDayTrade});
    // Cash 2500 shares of 2330; of 2882 a margin long of 3000 shares with 2000
    // day-tradable and a short of 2000 shares with 1000 day-tradable.
    Hold(0, Record("2330", {{3, 2500}, {4, 2500}}));
    Hold(0,
         Record("2882", {{12, 3000}, {13, 3000}, {18, 2000}, {20, 2000}, {21, 2000}, {26, 1000}}));
    Hold(1, Record("2330", {{3, 9000}, {4, 9000}}));
    testsupport::AnswerMessageBoxes([this](const std::string& text, const std::string&, UINT type) {
      boxes.push_back(text);
      return onBox ? onBox(text, type) : IDOK;
    });
    testsupport::AnswerDialogs([this](HWND dialog) -> INT_PTR {
      if (auto* change = DialogAs<JqzChangeOrder>(dialog)) {
        dialogs.push_back("change");
        if (onChange) return onChange(dialog, *change);
        Press(dialog, IDOK);
        return IDCANCEL;
      }
      if (DialogAs<CConfirmOrder>(dialog)) {
        dialogs.push_back("confirm");
        return onConfirm ? onConfirm(dialog) : IDOK;
      }
      if (DialogAs<JqzCAManagementDlg>(dialog)) {
        char text[128] = {};
        ::GetDlgItemTextA(dialog, IDC_QZ_CA_ACCOUNT, text, sizeof text);
        dialogs.push_back(std::string("ca ") + text);
        return IDOK;
      }
      if (DialogAs<CDlgSetAvgDealPrice>(dialog)) {
        dialogs.push_back("cost");
        return onCost ? onCost(dialog) : IDCANCEL;
      }
      dialogs.push_back("other");
      return IDCANCEL;
    });
  }

  // Clicks the action cell of the row whose code and kind cells read so.
  void ClickAction(JqzOrderBaseView* view, const std::string& code, const std::string& kind,
                   const char* column) {
    for (int row = 0; row < Rows(view); ++row) {
      if (Cell(view, row, kCode).find(code) == std::string::npos || Cell(view, row, kKind) != kind)
        continue;
      ASSERT_TRUE(input::ClickListCell(List(view), row, Column(view, column)));
      return;
    }
    FAIL() << "no row " << code << " " << kind;
  }
  static const std::vector<host::BrokerOrder>& Sent() { return host::Broker::Instance().Orders(); }

  std::vector<std::string> boxes;
  std::vector<std::string> dialogs;
  std::function<int(const std::string&, UINT)> onBox;
  std::function<INT_PTR(HWND, JqzChangeOrder&)> onChange;
  std::function<INT_PTR(HWND)> onConfirm;
  std::function<INT_PTR(HWND)> onCost;
};

TEST_F(PositionOrdersTest, ACashRowClosesInBoardLotsOrSellsItsOddLotUnderItsAccount) {
  JqzOrderBaseView* view = Open();
  ClickAction(view, "2330", "現股", kClose);
  ASSERT_EQ(Sent().size(), 1u);
  const CBaseOrder_OrderInfo& lots = Sent()[0].order;
  EXPECT_TRUE(Sent()[0].accepted);
  EXPECT_EQ(lots.m_strAccount, "0123456");
  EXPECT_EQ(lots.m_strSubAccount, moduletest::Account(0).m_strSubAccount);
  EXPECT_EQ(lots.m_strCertID, moduletest::Account(0).m_strCertID);
  EXPECT_EQ(lots.m_Commodity.m_strExchange, "TWSE");
  EXPECT_EQ(lots.m_Commodity.m_strStockNo, "2330");
  EXPECT_EQ(lots.m_Commodity.m_nTradeUnit, 'A');
  EXPECT_EQ(lots.m_Commodity.m_nCreditType, 'A');
  EXPECT_EQ(lots.m_nSide, 'S');
  EXPECT_EQ(lots.m_nQty, 2);
  EXPECT_DOUBLE_EQ(lots.m_dPrice, 600.0);
  EXPECT_EQ(lots.m_nPriceType, '2');
  EXPECT_EQ(lots.m_nPriceType2, '2');
  EXPECT_EQ(lots.m_nTimeInForce, 'N');
  EXPECT_EQ(lots.m_nOrderKind, 'R');
  EXPECT_NE(lots.m_dwSource, 0u);
  EXPECT_EQ(dialogs, (std::vector<std::string>{"change", "confirm"}));
  EXPECT_EQ(boxes, std::vector<std::string>{"委託已送出。"});

  ClickAction(view, "2330", "現股", kOdd);
  ASSERT_EQ(Sent().size(), 2u);
  EXPECT_EQ(Sent()[1].order.m_Commodity.m_nTradeUnit, 'E');
  EXPECT_EQ(Sent()[1].order.m_nQty, 500);
  ASSERT_EQ(Events("order").size(), 2u);
  EXPECT_EQ(Events("order")[1]["order"]["quantity"], 500);
  EXPECT_EQ(Events("order")[1]["order"]["account"], "0123456");
}

TEST_F(PositionOrdersTest, MarginAndShortRowsCloseByTheirOwnSideAndCredit) {
  JqzOrderBaseView* view = Open();
  ClickAction(view, "2882", "融資", kClose);
  ClickAction(view, "2882", "融資", kDayTrade);
  ClickAction(view, "2882", "融券", kClose);
  ClickAction(view, "2882", "融券", kDayTrade);
  ASSERT_EQ(Sent().size(), 4u);
  struct Want {
    int side, credit, qty;
  };
  const Want wants[] = {{'S', 'B', 3}, {'S', 'C', 2}, {'B', 'C', 2}, {'B', 'B', 1}};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Sent()[i].order.m_nSide, wants[i].side);
    EXPECT_EQ(Sent()[i].order.m_Commodity.m_nCreditType, wants[i].credit);
    EXPECT_EQ(Sent()[i].order.m_Commodity.m_nTradeUnit, 'A');
    EXPECT_EQ(Sent()[i].order.m_nQty, wants[i].qty);
    // Bid and ask are 0 here: the reference price stands in.
    EXPECT_DOUBLE_EQ(Sent()[i].order.m_dPrice, 55.0);
  }
}

TEST_F(PositionOrdersTest, TheOrderChangeDialogDecidesWhatIsSent) {
  JqzOrderBaseView* view = Open();
  // The quantity edited to one lot is what goes out.
  onChange = [](HWND dialog, JqzChangeOrder&) -> INT_PTR {
    ::SetDlgItemTextA(dialog, IDC_QZ_CHANGE_QTY, "1");
    Press(dialog, IDOK);
    return IDCANCEL;
  };
  ClickAction(view, "2330", "現股", kClose);
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(Sent()[0].order.m_nQty, 1);

  // Cancel there, or in the confirmation, sends nothing and says nothing.
  boxes.clear();
  onChange = [](HWND, JqzChangeOrder&) -> INT_PTR { return IDCANCEL; };
  ClickAction(view, "2330", "現股", kClose);
  onChange = nullptr;
  onConfirm = [](HWND) -> INT_PTR { return IDCANCEL; };
  ClickAction(view, "2330", "現股", kClose);
  EXPECT_EQ(Sent().size(), 1u);
  EXPECT_TRUE(boxes.empty());

  // Without confirmation in the settings the order goes out after the change dialog.
  SetOrderSetting("CONFIRM_ORDER", "0");
  QzReloadOrderSetting();
  dialogs.clear();
  ClickAction(view, "2330", "現股", kClose);
  SetOrderSetting("CONFIRM_ORDER", "1");
  QzReloadOrderSetting();
  EXPECT_EQ(Sent().size(), 2u);
  EXPECT_EQ(dialogs, std::vector<std::string>{"change"});
}

TEST_F(PositionOrdersTest, EveryRefusalReachesTheUserAndACertificateMismatchOffersItsManagement) {
  JqzOrderBaseView* view = Open();
  host::Broker::Instance().AddRejection({"", "2330", 'S', "餘額不足", 1});
  ClickAction(view, "2330", "現股", kClose);
  EXPECT_EQ(boxes, std::vector<std::string>{"餘額不足"});

  boxes.clear();
  host::Broker::Instance().AddRejection({"", "2330", 'S', "10000", 1});
  onBox = [](const std::string&, UINT type) {
    return (type & MB_YESNO) == MB_YESNO ? IDYES : IDOK;
  };
  dialogs.clear();
  ClickAction(view, "2330", "現股", kClose);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "憑證資料與登入帳號不符，無法送出委託。\n是否開啟憑證管理？");
  const AccountType account = moduletest::Account(0);
  EXPECT_EQ(dialogs.back(), "ca 帳號：" + (account.m_strAccount + account.m_strSubAccount).str());
  // The refused order is not sent again.
  EXPECT_EQ(Sent().size(), 2u);
  EXPECT_FALSE(Sent()[1].accepted);

  // A failed insurance check shows the checker's text; nothing goes out.
  boxes.clear();
  onChange = [](HWND dialog, JqzChangeOrder&) -> INT_PTR {
    ::SetDlgItemTextA(dialog, IDC_QZ_CHANGE_QTY, "100000");
    Press(dialog, IDOK);
    return IDCANCEL;
  };
  ClickAction(view, "2330", "現股", kClose);
  EXPECT_EQ(Sent().size(), 2u);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("委託數量超過單筆上限"), std::string::npos);
}

TEST_F(PositionOrdersTest, WhatArrivesWhileTheFlowWaitsNeitherSendsTwiceNorChangesTheAccount) {
  JqzOrderBaseView* view = Open();
  // A second press on the cell while the success message is open builds nothing.
  onBox = [&](const std::string&, UINT) {
    ClickAction(view, "2330", "現股", kClose);
    return IDOK;
  };
  ClickAction(view, "2330", "現股", kClose);
  EXPECT_EQ(Sent().size(), 1u);
  EXPECT_EQ(dialogs, (std::vector<std::string>{"change", "confirm"}));
  onBox = nullptr;

  // The account changes and its answer arrives while the confirmation is open: the
  // order still goes out, once, under the account its row belongs to.
  onConfirm = [&](HWND) -> INT_PTR {
    EXPECT_TRUE(input::ChooseComboEntry(Control(view, IDC_COMBO_ACCOUNT), 1));
    Advance(300);
    return IDOK;
  };
  ClickAction(view, "2330", "現股", kClose);
  ASSERT_EQ(Sent().size(), 2u);
  EXPECT_EQ(Sent()[1].order.m_strAccount, "0123456");
  EXPECT_EQ(Sent()[1].order.m_nQty, 2);
}

TEST_F(PositionOrdersTest, TheAverageCostDialogOffersBoardLotLongPositionsAndChecksThePrice) {
  CBaseOrder_Commodity cash, odd, shortSale, margin;
  cash.m_strStockNo = odd.m_strStockNo = shortSale.m_strStockNo = "2330";
  margin.m_strStockNo = "2882";
  cash.m_nTradeUnit = shortSale.m_nTradeUnit = margin.m_nTradeUnit = 'A';
  odd.m_nTradeUnit = 'E';
  cash.m_nCreditType = odd.m_nCreditType = 'A';
  shortSale.m_nCreditType = 'C';
  margin.m_nCreditType = 'B';
  for (auto* c : {&cash, &odd, &shortSale, &margin}) {
    CBaseOrder_UnoffsetInfo position;
    position.m_Commodity = *c;
    position.m_nQty = 1000;
    position.m_dAvgPrice = 500.0;
    data_.accounts[0].positions.push_back(position);
  }
  JqzOrderBaseView* view = Open();
  std::vector<std::string> tips;
  host::SetEventSink([&](const host::HostEvent& e) {
    if (e.kind == host::HostEvent::Kind::kTip && e.tipKind < 0) tips.push_back(e.text);
  });

  std::vector<std::string> entries;
  onCost = [&](HWND dialog) -> INT_PTR {
    HWND combo = ::GetDlgItem(dialog, IDC_COMBO_STOCK);
    for (int i = 0; i < ::SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
      char text[128] = {};
      ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      entries.push_back(text);
    }
    Press(dialog, IDOK);  // nothing chosen
    ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
    for (const char* refused : {"0", "-3", "", "abc"}) {
      ::SetDlgItemTextA(dialog, IDC_EDIT_PRICE, refused);
      Press(dialog, IDOK);
    }
    EXPECT_TRUE(::IsWindow(dialog));
    ::SetDlgItemTextA(dialog, IDC_EDIT_PRICE, "512.5元");
    Press(dialog, IDOK);
    return IDCANCEL;
  };
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_SETAVGPRICE)));
  EXPECT_EQ(entries, (std::vector<std::string>{"現股 2330 台積電", "融資 2882 國泰金"}));
  ASSERT_EQ(boxes.size(), 6u);
  EXPECT_EQ(boxes[0], "請選擇欲設定的股票。");
  for (size_t i = 1; i < 5; ++i) EXPECT_EQ(boxes[i], "請輸入正確的價位（須大於0）。");
  EXPECT_EQ(boxes[5], "2330 台積電 的持股平均成本已設定為 512.5");

  // The back-end stored the cost for the cash position only, numbered by a serial.
  const auto costs = Events("avgCost");
  ASSERT_EQ(costs.size(), 1u);
  EXPECT_EQ(costs[0]["account"], "0123456");
  EXPECT_EQ(costs[0]["credit"], "A");
  EXPECT_DOUBLE_EQ(costs[0]["price"].get<double>(), 512.5);
  // Tenths of a second since the start of the month; the virtual clock stood still.
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char serial[16];
  std::snprintf(serial, sizeof serial, "%08d",
                (((now.wDay * 24 + now.wHour) * 60 + now.wMinute) * 60 + now.wSecond) * 10 +
                    now.wMilliseconds / 100);
  EXPECT_EQ(costs[0]["serial"], serial);
  EXPECT_EQ(costs[0]["positions"], 1);
  const auto positions = OrderBK_GetDSUnoffset(moduletest::Account(0));
  EXPECT_DOUBLE_EQ(positions[0].m_dAvgPrice, 512.5);
  EXPECT_DOUBLE_EQ(positions[2].m_dAvgPrice, 500.0);
  EXPECT_EQ(tips,
            std::vector<std::string>{"持股平均成本已重新設定，請按「重新整理」查看最新資料。"});
  host::SetEventSink(nullptr);
}

TEST_F(PositionOrdersTest, CancelAfterARefusedPriceLeavesNothingChosen) {
  CBaseOrder_Commodity cash;
  cash.m_strStockNo = "2330";
  cash.m_nTradeUnit = cash.m_nCreditType = 'A';
  onCost = [](HWND dialog) -> INT_PTR {
    ::SendMessageA(::GetDlgItem(dialog, IDC_COMBO_STOCK), CB_SETCURSEL, 0, 0);
    ::SetDlgItemTextA(dialog, IDC_EDIT_PRICE, "0");
    Press(dialog, IDOK);
    Press(dialog, IDCANCEL);
    return IDOK;
  };
  CDlgSetAvgDealPrice dlg({cash}, nullptr);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(dlg.m_selected.m_strStockNo.IsEmpty());
  EXPECT_EQ(dlg.m_dPrice, 0.0);
}

}  // namespace
}  // namespace positionstest
