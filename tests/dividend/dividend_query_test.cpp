// The dividend dialog's query form: the account selector, the query lock, the stock
// code, the interval and its dates, the two modes and which notices it acts on.
#include <gtest/gtest.h>

#include <headless/headless.h>
#include <input/input.h>

#include <OrderBK.h>
#include <commctrl.h>

#include "dividend_scene.h"
#include "resource.h"

namespace dividendtest {
namespace {

const char kNoAnswerTip[] = "查詢未回覆，可再次查詢";

std::string Utf8(const char* cp950) { return host::ToUtf8(cp950); }

int ComboCount(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0)); }
int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
std::string ComboText(HWND combo, int index) {
  char buffer[256] = {};
  ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void Notify(JqzOrderBaseView* view, UINT message, int code, const char* account) {
  OrderDataNotice notice;
  notice.m_strKey = "9A95";
  notice.m_strAccount = account;
  notice.m_nAccountType = 65;
  ::SendMessageA(view->GetSafeHwnd(), message, static_cast<WPARAM>(code),
                 reinterpret_cast<LPARAM>(&notice));
}

class DividendQueryTest : public DividendTest {
 protected:
  // A query with the code typed into the edit; the answer has come back.
  std::string SentCode(const char* typed) {
    input::TypeText(Item(IDC_EDIT_CODE), typed);
    ClearEvents();
    Click(IDC_BTN_QUERY_DIVIDEND);
    Advance(300);
    const auto queries = Queries();
    return queries.size() == 1 ? queries[0].value("symbol", "?") : "no single query";
  }
  // Clicks the header of the cash-dividend column (6); true when the rows moved.
  bool ClickSortsTheCashColumn() {
    HWND list = Item(IDC_LIST_DIVIDEND);
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT column{};
    ::SendMessageA(header, HDM_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(Cell(0, 6), "10,500");
    input::Click(header, POINT{(column.left + column.right) / 2, (column.top + column.bottom) / 2});
    return Cell(0, 6) != "10,500";
  }
};

// ---- the form at start and after login -------------------------------------------------

TEST_F(DividendQueryTest, BeforeLoginTheSelectorSaysThereIsNoAccount) {
  view_ = AddView(moduletest::kDividendView);
  ASSERT_NE(Dlg(), nullptr);
  HWND accounts = Item(IDC_COMBO_ACCOUNT);
  ASSERT_EQ(ComboCount(accounts), 1);
  EXPECT_EQ(ComboText(accounts, 0), Lang("IDS_ORDER-ITEM_STATUS_NOSTOCKACCOUNT"));
  EXPECT_EQ(ComboSelection(accounts), 0);
  EXPECT_FALSE(Enabled(IDC_COMBO_ACCOUNT));
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_TRUE(Queries().empty());

  EXPECT_EQ(::SendMessageA(Item(IDC_RADIO_DIVIDEND_CALC), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageA(Item(IDC_RADIO_EX_DIVIDEND_STOCKS), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(Visible(IDC_STATIC_NOTE_CALC));
  EXPECT_FALSE(Visible(IDC_STATIC_NOTE_INVENTORY));
  EXPECT_EQ(Text(IDC_STATIC_NOTE_CALC), Lang("IDS_CTABSTOCKDIVIDENDCALC-STRING_STATIC_NOTE"));
  EXPECT_EQ(Dlg()->m_staticNoteCalc.GetTextColor(), RGB(255, 0, 0));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 0");

  HWND types = Item(IDC_COMBO_DIVIDEND_TYPE);
  ASSERT_EQ(ComboCount(types), 3);
  EXPECT_EQ(ComboText(types, 2), Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI39"));
  EXPECT_EQ(ComboSelection(types), 0);
  HWND intervals = Item(IDC_COMBO_INTERVAL);
  ASSERT_EQ(ComboCount(intervals), 5);
  EXPECT_EQ(ComboText(intervals, ComboSelection(intervals)),
            Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI40"));
}

TEST_F(DividendQueryTest, LoginSelectsTheAccountAndQueriesTheCurrentYear) {
  Open(0, false);
  EXPECT_TRUE(Enabled(IDC_COMBO_ACCOUNT));
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "");
  const auto queries = Queries();
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0]["account"], "0123456");
  EXPECT_EQ(queries[0]["symbol"], "");
  EXPECT_EQ(queries[0]["range"], "20250314,20250314");  // the pickers start at today
  EXPECT_EQ(queries[0]["interval"], "4");
  EXPECT_EQ(queries[0]["mode"], "1");
  EXPECT_EQ(queries[0]["dividendType"], "");

  Advance(300);  // the answer comes at 09:00:00.300 and sets the update time
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(Text(IDC_STATIC_UPDATE_TIME), "2025/03/14 09:00:00");
  EXPECT_EQ(Rows(), 5);
}

// ---- the query lock ----------------------------------------------------------------------

TEST_F(DividendQueryTest, WithoutTheSettingTheButtonStaysLockedTwoSecondsWithoutAnswer) {
  host::BrokerData slow = DividendBroker();
  slow.latencyMs = 60000;
  LoadBroker(slow);
  Open(0, false);
  Advance(1999);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));  // no second click until then
  Advance(1);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(TipText(), kNoAnswerTip);
  Click(IDC_BTN_QUERY_DIVIDEND);
  EXPECT_EQ(Queries().size(), 2u);
}

TEST_F(DividendQueryTest, TheSettingGivesTheLocksSeconds) {
  SetOrderSetting("BUTTON_DISABLE_TIME", "5");
  host::BrokerData slow = DividendBroker();
  slow.latencyMs = 60000;
  LoadBroker(slow);
  Open(0, false);
  Advance(4999);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  Advance(1);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
}

TEST_F(DividendQueryTest, NonsenseLockSettingsNeitherWrapNorLockForever) {
  SetOrderSetting("BUTTON_DISABLE_TIME", "-3");
  host::BrokerData slow = DividendBroker();
  slow.latencyMs = 60000;
  LoadBroker(slow);
  Open(0, false);
  Advance(USER_TIMER_MINIMUM);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
}

TEST_F(DividendQueryTest, TheAnswerUnlocksAtOnceAndEndsTheLock) {
  Open(0, false);
  Advance(300);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  Advance(5000);
  EXPECT_NE(TipText(), kNoAnswerTip);
}

TEST_F(DividendQueryTest, AFailedQueryUnlocksButTheLockStillRunsOut) {
  Open();
  host::Broker::Instance().FailNextQueries({host::QueryKind::kDividend, "0123456", 1});
  Click(IDC_BTN_QUERY_DIVIDEND);
  EXPECT_EQ(Rows(), 0);
  Advance(300);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  EXPECT_EQ(Rows(), 5);  // the back-end still holds the last answer
  Advance(1700);
  EXPECT_EQ(TipText(), kNoAnswerTip);
}

// ---- the stock code ------------------------------------------------------------------------

TEST_F(DividendQueryTest, LowerCaseLettersOfTheCodeAreSentUpperCase) {
  Open();
  EXPECT_EQ(SentCode("tsmc"), "TSMC");
  EXPECT_EQ(Text(IDC_EDIT_CODE), "");
  EXPECT_EQ(SentCode("2330A"), "2330A");
  EXPECT_EQ(SentCode("00878b"), "00878B");
  EXPECT_EQ(SentCode(""), "");
}

TEST_F(DividendQueryTest, UpperCasingLeavesDoubleByteCharactersWhole) {
  Open();
  // The trail bytes of 台, 積 and 電 are the letters x, n and q.
  EXPECT_EQ(SentCode("a台積電"), Utf8("A台積電"));
}

// ---- interval and dates ----------------------------------------------------------------------

TEST_F(DividendQueryTest, ACustomRangeInTheFutureOrReversedSendsNothing) {
  Open();
  ChooseInterval(3);
  PickDate(IDC_DATE_END, 2025, 3, 15);
  ClearEvents();
  headless::ClearMessageBoxLog();
  Click(IDC_BTN_QUERY_DIVIDEND);
  EXPECT_TRUE(Queries().empty());
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
  EXPECT_EQ(headless::MessageBoxLog()[0].text, Lang("IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY2"));
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  Advance(1999);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  Advance(1);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));

  PickDate(IDC_DATE_START, 2025, 3, 12);
  PickDate(IDC_DATE_END, 2025, 3, 10);
  headless::ClearMessageBoxLog();
  Click(IDC_BTN_QUERY_DIVIDEND);
  EXPECT_TRUE(Queries().empty());
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
  EXPECT_EQ(headless::MessageBoxLog()[0].text, Lang("IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY"));
  Advance(2000);

  // A future start is refused as the future, before the order of the dates.
  PickDate(IDC_DATE_START, 2025, 4, 1);
  headless::ClearMessageBoxLog();
  Click(IDC_BTN_QUERY_DIVIDEND);
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
  EXPECT_EQ(headless::MessageBoxLog()[0].text, Lang("IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY2"));
  Advance(2000);

  PickDate(IDC_DATE_START, 2024, 6, 1);
  PickDate(IDC_DATE_END, 2025, 3, 14);
  Click(IDC_BTN_QUERY_DIVIDEND);
  const auto queries = Queries();
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0]["interval"], "0");
  EXPECT_EQ(queries[0]["range"], "20240601,20250314");
}

TEST_F(DividendQueryTest, OtherIntervalsSendFutureDatesAsTheyAre) {
  Open();
  PickDate(IDC_DATE_START, 2025, 12, 1);
  PickDate(IDC_DATE_END, 2026, 1, 31);
  const std::pair<int, const char*> intervals[] = {{0, "1"}, {1, "2"}, {2, "3"}, {4, "4"}};
  for (const auto& [itemData, code] : intervals) {
    ChooseInterval(itemData);
    ClearEvents();
    headless::ClearMessageBoxLog();
    Click(IDC_BTN_QUERY_DIVIDEND);
    Advance(300);
    const auto queries = Queries();
    ASSERT_EQ(queries.size(), 1u) << itemData;
    EXPECT_EQ(queries[0]["interval"], code);
    EXPECT_EQ(queries[0]["range"], "20251201,20260131");
    EXPECT_TRUE(headless::MessageBoxLog().empty());
  }
}

TEST_F(DividendQueryTest, TheTypeFilterGoesWithTheAccount) {
  Open();
  const std::pair<int, const char*> types[] = {{2, "2"}, {1, "1"}, {0, ""}};
  for (const auto& [entry, sent] : types) {
    input::ChooseComboEntry(Item(IDC_COMBO_DIVIDEND_TYPE), entry);
    ClearEvents();
    Click(IDC_BTN_QUERY_DIVIDEND);
    Advance(300);
    const auto queries = Queries();
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(queries[0]["dividendType"], sent);
  }
}

// ---- the two modes --------------------------------------------------------------------------------

TEST_F(DividendQueryTest, ModeTwoDisablesThePeriodAndQueriesAtOnce) {
  Open();
  ClearEvents();
  Click(IDC_RADIO_EX_DIVIDEND_STOCKS);
  for (int id : {IDC_COMBO_DIVIDEND_TYPE, IDC_COMBO_INTERVAL, IDC_DATE_START, IDC_DATE_END})
    EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(IDC_EDIT_CODE));
  EXPECT_FALSE(Visible(IDC_STATIC_CASH_DIVIDEND_CAPTION));
  EXPECT_FALSE(Visible(IDC_STATIC_CASH_DIVIDEND));
  EXPECT_FALSE(Visible(IDC_STATIC_NOTE_CALC));
  EXPECT_TRUE(Visible(IDC_STATIC_NOTE_INVENTORY));
  EXPECT_EQ(::SendMessageA(Item(IDC_RADIO_DIVIDEND_CALC), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ASSERT_EQ(Queries().size(), 1u);
  EXPECT_EQ(Queries()[0]["mode"], "2");
  EXPECT_EQ(Rows(), 0);  // the columns are the new section's before any row comes
  EXPECT_EQ(Columns().size(), 8u);
  Advance(300);
  EXPECT_EQ(Rows(), 2);

  ClearEvents();
  Click(IDC_RADIO_DIVIDEND_CALC);
  for (int id : {IDC_COMBO_DIVIDEND_TYPE, IDC_COMBO_INTERVAL, IDC_DATE_START, IDC_DATE_END})
    EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(Visible(IDC_STATIC_CASH_DIVIDEND));
  EXPECT_TRUE(Visible(IDC_STATIC_NOTE_CALC));
  EXPECT_FALSE(Visible(IDC_STATIC_NOTE_INVENTORY));
  ASSERT_EQ(Queries().size(), 1u);
  EXPECT_EQ(Queries()[0]["mode"], "1");
  EXPECT_EQ(Columns().size(), 13u);
}

// ---- notices -------------------------------------------------------------------------------------------

TEST_F(DividendQueryTest, NoticesForOtherAccountsOrOtherDataChangeNothing) {
  host::BrokerData slow = DividendBroker();
  slow.latencyMs = 1000;
  LoadBroker(slow);
  Open(0, false);
  Advance(1000);
  ASSERT_EQ(Rows(), 5);
  Click(IDC_BTN_QUERY_DIVIDEND);
  ASSERT_EQ(Rows(), 0);
  Notify(view_, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_DIVIDENDCALC, "0654321");
  Notify(view_, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_UNOFFSET, "0123456");
  Notify(view_, WM_ORDER_REFRESHERRDATA, ORDERDATA_NOTIFY_UNOFFSET, "0123456");
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
  Notify(view_, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_DIVIDENDCALC, "0123456");
  EXPECT_EQ(Rows(), 5);
  EXPECT_TRUE(Enabled(IDC_BTN_QUERY_DIVIDEND));
}

TEST_F(DividendQueryTest, AClearNoticeOfDividendsEmptiesTheList) {
  Open();
  host::Broker::Instance().Clear(moduletest::Account(0), ORDERDATA_NOTIFY_UNOFFSET);
  Advance(1);
  EXPECT_EQ(Rows(), 5);
  host::Broker::Instance().Clear(moduletest::Account(0), ORDERDATA_NOTIFY_DIVIDENDCALC);
  Advance(1);
  EXPECT_EQ(Rows(), 0);
}

TEST_F(DividendQueryTest, AHiddenViewHearsNoNotices) {
  Open(0, false);
  view_->ShowWindow(SW_HIDE);
  Advance(300);
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
}

// ---- accounts ----------------------------------------------------------------------------------------------

TEST_F(DividendQueryTest, ChoosingAnAccountQueriesItAndTellsTheSyncGroup) {
  JqzOrderBaseView* first = Open(1);
  JqzOrderBaseView* second = AddView(moduletest::kDividendView, 1);
  Restore(second, "股利試算");
  Advance(300);
  ClearEvents();
  input::ChooseComboEntry(Item(IDC_COMBO_ACCOUNT, first), 1);
  const auto queries = Queries();
  ASSERT_EQ(queries.size(), 2u);  // the chosen account, in both views of the group
  EXPECT_EQ(queries[0]["account"], "0654321");
  EXPECT_EQ(queries[1]["account"], "0654321");
  EXPECT_EQ(ComboSelection(Item(IDC_COMBO_ACCOUNT, second)), 1);
  Advance(300);
  EXPECT_EQ(Rows(first), 3);
  EXPECT_EQ(Rows(second), 3);

  // Told of the account it shows already, a view does not query again.
  ClearEvents();
  second->vSendChangeAccount(second, 1);
  EXPECT_TRUE(Queries().empty());
}

TEST_F(DividendQueryTest, AnAccountTheSelectorLacksIsIgnored) {
  Open();
  ClearEvents();
  AccountType stranger = moduletest::Account(0);
  stranger.m_strAccount = "7777777";
  Dlg()->vChangeDlgAccount(stranger, true);
  EXPECT_TRUE(Queries().empty());
  EXPECT_EQ(ComboSelection(Item(IDC_COMBO_ACCOUNT)), 0);
  Dlg()->vChangeDlgAccount(moduletest::Account(0), true);  // the same one, asked to refresh
  EXPECT_EQ(Queries().size(), 1u);
}

TEST_F(DividendQueryTest, AReloadWithoutAccountsEmptiesTheSelector) {
  Open();
  host::Broker::Instance().Logout();
  Advance(1);
  ::SendMessageA(view_->GetSafeHwnd(), WM_ORDER_RELOADACCOUNT, 0, 0);
  EXPECT_EQ(ComboCount(Item(IDC_COMBO_ACCOUNT)), 0);
  EXPECT_FALSE(Enabled(IDC_COMBO_ACCOUNT));
  EXPECT_FALSE(Enabled(IDC_BTN_QUERY_DIVIDEND));
}

TEST_F(DividendQueryTest, ClosingTheViewSavesItsGroupsAccount) {
  const JqzOrderBaseView* view = Open(2);
  input::ChooseComboEntry(Item(IDC_COMBO_ACCOUNT), 1);
  OrderBK_bSaveSyncTypeAccount(moduletest::Account(0), 2);  // another view moved the group on
  ASSERT_TRUE(view->GetParentFrame() == frame_);
  frame_->DestroyWindow();
  frame_ = nullptr;
  AccountType saved;
  ASSERT_TRUE(OrderBK_bGetActiveAccount(saved, 2));
  EXPECT_EQ(saved.m_strAccount, CString("0654321"));
}

// ---- list style, fonts, layout ---------------------------------------------------------------------

TEST_F(DividendQueryTest, AHeaderClickSortsOnlyWithTheClassViewSwitch) {
  Open();
  EXPECT_TRUE(::GetWindowLongA(Item(IDC_LIST_DIVIDEND), GWL_STYLE) & LVS_OWNERDRAWFIXED);
  EXPECT_FALSE(ClickSortsTheCashColumn());
}

TEST_F(DividendQueryTest, TheClassViewSwitchLetsAHeaderClickSort) {
  host::BrokerData data = DividendBroker();
  data.classViews = {"JqzStockDividendCalcDlg|TABLESORTVIEW|TABLESORTVIEW"};
  LoadBroker(data);
  Open();
  EXPECT_TRUE(ClickSortsTheCashColumn());
}

TEST_F(DividendQueryTest, TheCompactCastChangesOnlySelectorAndButtonFonts) {
  Open();
  const LRESULT before = ::SendMessageA(Item(IDC_COMBO_DIVIDEND_TYPE), WM_GETFONT, 0, 0);
  Dlg()->vChangeDisplayStyle(7);
  const auto tahoma = reinterpret_cast<LRESULT>(Dlg()->m_DlgFont.m_hObject);
  ASSERT_NE(tahoma, 0);
  EXPECT_EQ(::SendMessageA(Item(IDC_COMBO_ACCOUNT), WM_GETFONT, 0, 0), tahoma);
  EXPECT_EQ(::SendMessageA(Item(IDC_BTN_QUERY_DIVIDEND), WM_GETFONT, 0, 0), tahoma);
  EXPECT_EQ(::SendMessageA(Item(IDC_COMBO_DIVIDEND_TYPE), WM_GETFONT, 0, 0), before);
}

TEST_F(DividendQueryTest, TheListFillsThePaneBelowTheForm) {
  Open();
  frame_->MoveWindow(0, 0, 1200, 800);
  headless::PumpMessages();
  RECT pane{}, list{};
  ::GetClientRect(view_->GetSafeHwnd(), &pane);
  ::GetWindowRect(Item(IDC_LIST_DIVIDEND), &list);
  ::ScreenToClient(view_->GetSafeHwnd(), reinterpret_cast<POINT*>(&list.left));
  ::ScreenToClient(view_->GetSafeHwnd(), reinterpret_cast<POINT*>(&list.right));
  EXPECT_EQ(list.top, 130);
  EXPECT_GT(list.right, pane.right - 10);
  EXPECT_GT(list.bottom, pane.bottom - 10);
}

}  // namespace
}  // namespace dividendtest
