// The dividend dialog's query form: accounts, the query lock, the stock code, interval and
// dates, the two modes, and which notices it acts on.
#include <gtest/gtest.h>

#include <OrderBK.h>
#include <commctrl.h>
#include <headless/headless.h>

#include "dividend_scene.h"
#include "resource.h"

namespace dividendtest {
namespace {

const char kNoAnswerTip[] = "查詢未回覆，可再次查詢";

int Selection(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

void Notify(JqzOrderBaseView* view, UINT message, int code, const char* account) {
  OrderDataNotice notice;
  notice.m_strKey = "9A95";
  notice.m_strAccount = account;
  ::SendMessageA(view->GetSafeHwnd(), message, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(&notice));
}

using DividendQueryTest = DividendTest;

TEST_F(DividendQueryTest, BeforeLoginTheSelectorSaysThereIsNoAccount) {
  view_ = AddView(moduletest::kDividendView);
  EXPECT_EQ(Text(IDC_COMBO_ACCOUNT), Lang("IDS_ORDER-ITEM_STATUS_NOSTOCKACCOUNT"));
  EXPECT_FALSE(Enabled(IDC_COMBO_ACCOUNT));
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_TRUE(Visible(IDC_STATIC_NOTE_CALC));
  EXPECT_FALSE(Visible(IDC_STATIC_NOTE_INVENTORY));
  EXPECT_EQ(Text(IDC_COMBO_DIVIDEND_TYPE), Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI7"));
  EXPECT_EQ(Text(IDC_COMBO_INTERVAL), Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI40"));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 0");
  EXPECT_TRUE(Queries().empty());
}

TEST_F(DividendQueryTest, LoginQueriesTheSyncGroupsAccountForTheCurrentYear) {
  Open(0, false);
  const auto queries = Queries();
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0]["account"], "0123456");
  EXPECT_EQ(queries[0]["symbol"], "");
  EXPECT_EQ(queries[0]["range"], "20250314,20250314");  // the pickers start at today
  EXPECT_EQ(queries[0]["interval"], "4");
  EXPECT_EQ(queries[0]["mode"], "1");
  EXPECT_EQ(queries[0]["dividendType"], "");
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "");
  Advance(300);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(Text(IDC_STATIC_UPDATE_TIME), "2025/03/14 09:00:00");
  EXPECT_EQ(Rows(), 5);
}

// ---- the query lock ------------------------------------------------------------------------

struct Lock {
  const char* name;
  const char* setting;  // BUTTON_DISABLE_TIME; null: absent
  unsigned ms;          // how long a query without an answer locks the button
};

class DividendLockTest : public DividendTest, public ::testing::WithParamInterface<Lock> {};

TEST_P(DividendLockTest, TheButtonStaysLockedUntilTheTimeRunsOut) {
  if (GetParam().setting) SetOrderSetting("BUTTON_DISABLE_TIME", GetParam().setting);
  host::BrokerData slow = DividendBroker();
  slow.latencyMs = 60000;
  LoadBroker(slow);
  Open(0, false);
  Advance(GetParam().ms - 1);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));  // no second click until then
  Advance(1);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(TipText(), kNoAnswerTip);
}

// A negative time locks as briefly as a timer can wait.
INSTANTIATE_TEST_SUITE_P(Settings, DividendLockTest,
                         ::testing::Values(Lock{"Absent", nullptr, 2000}, Lock{"FiveSeconds", "5", 5000},
                                           Lock{"Negative", "-3", USER_TIMER_MINIMUM}),
                         [](const ::testing::TestParamInfo<Lock>& info) { return info.param.name; });

TEST_F(DividendQueryTest, AnAnswerEndsTheLockAtOnceAFailureOnlyUnlocks) {
  Open(0, false);
  Advance(300);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  Advance(3000);
  EXPECT_NE(TipText(), kNoAnswerTip);

  host::Broker::Instance().FailNextQueries({host::QueryKind::kDividend, "0123456", 1});
  Click(IDC_BTN_QUERY_DIVIDEND);
  EXPECT_EQ(Rows(), 0);
  Advance(300);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(Rows(), 5);  // the fill takes the back-end's last answer
  Advance(1700);
  EXPECT_EQ(TipText(), kNoAnswerTip);
}

TEST_F(DividendQueryTest, WithoutAccountsTheLockEndsWithTheButtonStillOff) {
  host::BrokerData none = DividendBroker();
  none.accounts.clear();
  LoadBroker(none);
  Open();
  Restore(view_, "股利試算");  // reloads and asks for a query all the same
  Advance(2000);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
}

// ---- what the query sends ---------------------------------------------------------------------

TEST_F(DividendQueryTest, TheCodeGoesUpperCaseAndTheEditIsEmptied) {
  Open();
  const std::pair<const char*, const char*> codes[] = {
      {"tsmc", "TSMC"}, {"2330A", "2330A"}, {"00878b", "00878B"}, {"", ""},
      // The trail bytes of 台, 積 and 電 read as x, n and q; they stay.
      {"a台積電", "A台積電"}};
  for (const auto& [typed, sent] : codes) {
    input::TypeText(Item(IDC_EDIT_CODE), typed);
    EXPECT_EQ(Query()["symbol"], host::ToUtf8(sent));
    EXPECT_EQ(Text(IDC_EDIT_CODE), "");
  }
}

TEST_F(DividendQueryTest, TheTypeFilterGoesWithTheAccount) {
  Open();
  for (const auto& [entry, sent] : {std::pair{2, "2"}, std::pair{1, "1"}, std::pair{0, ""}}) {
    input::ChooseComboEntry(Item(IDC_COMBO_DIVIDEND_TYPE), entry);
    EXPECT_EQ(Query()["dividendType"], sent);
  }
}

TEST_F(DividendQueryTest, ACustomRangeInTheFutureOrReversedSendsNothing) {
  Open();
  ChooseInterval(3);
  const struct {
    int start[3], end[3];
    const char* refusal;
  } refused[] = {{{2025, 3, 14}, {2025, 3, 15}, "IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY2"},
                 {{2025, 3, 12}, {2025, 3, 10}, "IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY"},
                 {{2025, 4, 1}, {2025, 3, 10}, "IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY2"}};
  for (const auto& r : refused) {
    PickDate(IDC_DATE_START, r.start[0], r.start[1], r.start[2]);
    PickDate(IDC_DATE_END, r.end[0], r.end[1], r.end[2]);
    headless::ClearMessageBoxLog();
    EXPECT_TRUE(Query().is_null());
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, Lang(r.refusal));
    Advance(1699);
    EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));  // only the lock's end unlocks
    Advance(1);
    EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  }
  PickDate(IDC_DATE_START, 2024, 6, 1);
  PickDate(IDC_DATE_END, 2025, 3, 14);
  const auto query = Query();
  EXPECT_EQ(query["interval"], "0");
  EXPECT_EQ(query["range"], "20240601,20250314");
}

TEST_F(DividendQueryTest, OtherIntervalsSendFutureDatesAsTheyAre) {
  Open();
  PickDate(IDC_DATE_START, 2025, 12, 1);
  PickDate(IDC_DATE_END, 2026, 1, 31);
  for (const auto& [itemData, code] : {std::pair{0, "1"}, std::pair{1, "2"}, std::pair{2, "3"}, std::pair{4, "4"}}) {
    ChooseInterval(itemData);
    const auto query = Query();
    EXPECT_EQ(query["interval"], code);
    EXPECT_EQ(query["range"], "20251201,20260131");
  }
  EXPECT_TRUE(headless::MessageBoxLog().empty());
}

// ---- the two modes ---------------------------------------------------------------------------------

TEST_F(DividendQueryTest, ModeTwoTurnsOffThePeriodAndQueriesAtOnce) {
  Open();
  const int period[] = {IDC_COMBO_DIVIDEND_TYPE, IDC_COMBO_INTERVAL, IDC_DATE_START, IDC_DATE_END};
  for (int mode : {2, 1}) {
    ClearEvents();
    Click(mode == 2 ? IDC_RADIO_EX_DIVIDEND_STOCKS : IDC_RADIO_DIVIDEND_CALC);
    for (int id : period) EXPECT_EQ(Enabled(id), mode == 1) << id;
    EXPECT_TRUE(Enabled(IDC_EDIT_CODE));
    EXPECT_EQ(Visible(IDC_STATIC_CASH_DIVIDEND_CAPTION), mode == 1);
    EXPECT_EQ(Visible(IDC_STATIC_CASH_DIVIDEND), mode == 1);
    EXPECT_EQ(Visible(IDC_STATIC_NOTE_CALC), mode == 1);
    EXPECT_EQ(Visible(IDC_STATIC_NOTE_INVENTORY), mode == 2);
    EXPECT_EQ(::SendMessageA(Item(IDC_RADIO_DIVIDEND_CALC), BM_GETCHECK, 0, 0) == BST_CHECKED, mode == 1);
    ASSERT_EQ(Queries().size(), 1u);
    EXPECT_EQ(Queries()[0]["mode"], std::to_string(mode));
    // The other section's columns come before any row.
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Columns().size(), mode == 1 ? 13u : 8u);
    Advance(300);
    EXPECT_EQ(Rows(), mode == 1 ? 5 : 2);
  }
}

// ---- notices --------------------------------------------------------------------------------------------

TEST_F(DividendQueryTest, OnlyDividendAnswersForItsAccountCount) {
  Open();
  Click(IDC_BTN_QUERY_DIVIDEND);
  Notify(view_, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_DIVIDENDCALC, "0654321");
  Notify(view_, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_UNOFFSET, "0123456");
  Notify(view_, WM_ORDER_REFRESHERRDATA, ORDERDATA_NOTIFY_UNOFFSET, "0123456");
  host::Broker::Instance().Clear(moduletest::Account(0), ORDERDATA_NOTIFY_UNOFFSET);
  Advance(1);
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  Notify(view_, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_DIVIDENDCALC, "0123456");
  EXPECT_EQ(Rows(), 5);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));

  host::Broker::Instance().Clear(moduletest::Account(0), ORDERDATA_NOTIFY_DIVIDENDCALC);
  Advance(1);
  EXPECT_EQ(Rows(), 0);
}

// ---- accounts ----------------------------------------------------------------------------------------------

TEST_F(DividendQueryTest, AChosenAccountIsQueriedAndFollowedByTheSyncGroup) {
  JqzOrderBaseView* first = Open(1);
  JqzOrderBaseView* second = AddView(moduletest::kDividendView, 1);
  Restore(second, "股利試算");
  Advance(300);
  ClearEvents();
  input::ChooseComboEntry(Item(IDC_COMBO_ACCOUNT, first), 1);
  const auto queries = Queries();
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_EQ(queries[0]["account"], "0654321");
  EXPECT_EQ(queries[1]["account"], "0654321");
  EXPECT_EQ(Selection(Item(IDC_COMBO_ACCOUNT, second)), 1);
  Advance(300);
  EXPECT_EQ(Rows(first), 3);
  EXPECT_EQ(Rows(second), 3);

  ClearEvents();
  second->vSendChangeAccount(second, 1);  // the account the first one shows already
  EXPECT_TRUE(Queries().empty());
  AccountType stranger = moduletest::Account(0);
  stranger.m_strAccount = "7777777";
  Dlg()->vChangeDlgAccount(stranger, true);  // not in the selector
  EXPECT_TRUE(Queries().empty());
  EXPECT_EQ(Selection(Item(IDC_COMBO_ACCOUNT)), 1);
}

TEST_F(DividendQueryTest, AReloadWithoutAccountsEmptiesTheSelector) {
  Open();
  host::Broker::Instance().Logout();
  ::SendMessageA(view_->GetSafeHwnd(), WM_ORDER_RELOADACCOUNT, 0, 0);
  EXPECT_EQ(::SendMessageA(Item(IDC_COMBO_ACCOUNT), CB_GETCOUNT, 0, 0), 0);
  EXPECT_FALSE(Enabled(IDC_COMBO_ACCOUNT));
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
}

TEST_F(DividendQueryTest, ClosingTheViewSavesItsGroupsAccount) {
  Open(2);
  input::ChooseComboEntry(Item(IDC_COMBO_ACCOUNT), 1);
  OrderBK_bSaveSyncTypeAccount(moduletest::Account(0), 2);  // the group moved on elsewhere
  frame_->DestroyWindow();
  frame_ = nullptr;
  AccountType saved;
  ASSERT_TRUE(OrderBK_bGetActiveAccount(saved, 2));
  EXPECT_EQ(saved.m_strAccount, CString("0654321"));
}

// ---- sorting ------------------------------------------------------------------------------------------------

TEST_F(DividendQueryTest, AHeaderClickSortsOnlyWithTheClassViewSwitch) {
  for (bool sortable : {false, true}) {
    host::BrokerData data = DividendBroker();
    if (sortable) data.classViews = {"JqzStockDividendCalcDlg|TABLESORTVIEW|TABLESORTVIEW"};
    LoadBroker(data);
    view_ = nullptr;
    Open();
    HWND header = reinterpret_cast<HWND>(::SendMessageA(Item(IDC_LIST_DIVIDEND), LVM_GETHEADER, 0, 0));
    RECT cash{};  // the cash dividends' header
    ::SendMessageA(header, HDM_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&cash));
    ASSERT_EQ(Cell(0, 6), "10,500");
    input::Click(header, POINT{(cash.left + cash.right) / 2, (cash.top + cash.bottom) / 2});
    EXPECT_EQ(Cell(0, 6) != "10,500", sortable);
  }
}

}  // namespace
}  // namespace dividendtest
