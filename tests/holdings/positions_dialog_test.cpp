// The classic positions dialog in its view: the template's controls, the accounts,
// the query cycle with its timers, notices, the ratio, export and renumbering.
#include <gtest/gtest.h>

#include <input/input.h>

#include <filesystem>

#include <CommonUtilities.h>
#include <OrderDataNotice.h>

#include "positions_scene.h"

namespace positionstest {
namespace {

class PositionsDialogTest : public PositionsTest {
 protected:
  void SetUp() override {
    PositionsTest::SetUp();
    Quote(16, "2330", "台積電", {{125, 585.0}, {184, 5.0}, {185, 0.86}});
    Quote(16, "2882", "國泰金", {{125, 55.3}});
    Hold(0, Record("2330", {{3, 3000}, {4, 3000}, {9, 3000}}));
    Hold(1, Record("2882", {{3, 12000}, {4, 12000}}));
    Hold(1, Record("2883", {{3, 1000}, {4, 1000}}));
    data_.accounts[0].maintenanceRatio = "187";
  }
  static bool Visible(HWND w) { return ::IsWindowVisible(w) != FALSE; }
  static bool Enabled(HWND w) { return ::IsWindowEnabled(w) != FALSE; }
  static int Selection(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
  std::vector<std::string> QueriedAccounts() const {
    std::vector<std::string> out;
    for (const auto& e : Events("query")) out.push_back(e.value("account", ""));
    return out;
  }
};

TEST_F(PositionsDialogTest, ShowsItsControlsWithTheLanguageTablesCaptions) {
  JqzOrderBaseView* view = Open();
  ASSERT_NE(DialogOf(view), nullptr);
  for (int id : {IDC_COMBO_ACCOUNT, IDC_BTN_REFRESH, IDC_GROUP_MARKETVALUE, IDC_STATIC_MARKETVALUE,
                 IDC_STATIC_TOTAL, IDC_STATIC_ROWCOUNT_CAPTION, IDC_STATIC_ROWCOUNT,
                 IDC_LIST_UNOFFSET, IDC_STATIC_STM_RATIO})
    EXPECT_TRUE(Visible(Control(view, id))) << id;
  for (int id : {IDC_BTN_SETAVGPRICE, IDC_GROUP_STM_RATIO, IDC_STATIC_MSG})
    EXPECT_FALSE(Visible(Control(view, id))) << id;
  EXPECT_EQ(Text(view, IDC_BTN_REFRESH), "重新整理");
  EXPECT_EQ(Text(view, IDC_STATIC_MARKETVALUE), "總計市值約");
  EXPECT_EQ(Text(view, IDC_STATIC_ROWCOUNT_CAPTION), "總資料筆數：");
  EXPECT_EQ(Text(view, IDC_STATIC_MSG), s_LangGetLangString("IDS_DIALOG-TABFINANCESTOCKUNOFFSET_STATIC_MSG").str());
}

TEST_F(PositionsDialogTest, TheRatioIsHiddenUntilTheFirstFill) {
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, 1);
  Login();
  EXPECT_FALSE(Visible(Control(view, IDC_STATIC_STM_RATIO)));
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "NT$ --");
  WaitForFill();
  EXPECT_TRUE(Visible(Control(view, IDC_STATIC_STM_RATIO)));
  EXPECT_EQ(Text(view, IDC_STATIC_STM_RATIO), "整戶維持率: 187 %");
  EXPECT_FALSE(Visible(Control(view, IDC_GROUP_STM_RATIO)));
}

TEST_F(PositionsDialogTest, AnAccountWithoutARatioNeverShowsTheRatioOfAnother) {
  JqzOrderBaseView* view = Open();
  WaitForFill();
  EXPECT_EQ(Text(view, IDC_STATIC_STM_RATIO), "整戶維持率: 187 %");
  // The second account's broker gives no ratio at all.
  ASSERT_TRUE(input::ChooseComboEntry(Control(view, IDC_COMBO_ACCOUNT), 1));
  WaitForFill();
  EXPECT_EQ(Rows(view), 2);
  EXPECT_FALSE(Visible(Control(view, IDC_STATIC_STM_RATIO)));
  // Back on the first account, its own ratio comes back.
  ASSERT_TRUE(input::ChooseComboEntry(Control(view, IDC_COMBO_ACCOUNT), 0));
  WaitForFill();
  EXPECT_TRUE(Visible(Control(view, IDC_STATIC_STM_RATIO)));
  EXPECT_EQ(Text(view, IDC_STATIC_STM_RATIO), "整戶維持率: 187 %");
}

TEST_F(PositionsDialogTest, ColumnsFollowTheSectionsDisplayItems) {
  JqzOrderBaseView* view = Open();
  std::vector<std::string> expected;
  for (const std::string& key : BuiltInKeys()) expected.push_back(host::Broker::Instance().LangText(key.c_str()).str());
  EXPECT_EQ(Titles(view), expected);
  EXPECT_EQ(ListCtrl(view)->m_strAlign.GetLength(), static_cast<int>(expected.size()));

  data_.sections["CTABFAINANCESTOCKUNOFFSET"] =
      Section({"IDS_ORDER-ITEM_STOCKCODE", "IDS_ORDER-ITEM_CURRENTPRICE"});
  JqzOrderBaseView* second = Open(2);
  EXPECT_EQ(Titles(second), (std::vector<std::string>{"股票代號", "現價"}));
  EXPECT_EQ(Cell(second, 0, "IDS_ORDER-ITEM_CURRENTPRICE"), "585");
}

TEST_F(PositionsDialogTest, LoginSelectsTheFirstAccountOfTheViewsKindAndFillsItAfterTwoSeconds) {
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, 1);
  Login();
  EXPECT_EQ(QueriedAccounts(), std::vector<std::string>{"0123456"});
  EXPECT_EQ(Selection(Control(view, IDC_COMBO_ACCOUNT)), 0);
  Advance(300 + 1990);
  EXPECT_EQ(Rows(view), 0);
  Advance(10);
  EXPECT_EQ(Rows(view), 1);
  EXPECT_EQ(Text(view, IDC_STATIC_ROWCOUNT), "1筆");
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "1,755,000");
  EXPECT_EQ(view->m_CurAccount.m_strAccount, "0123456");
}

TEST_F(PositionsDialogTest, SelectingByKindWithoutAMatchSelectsNothingAndQueriesNothing) {
  data_.accounts.erase(data_.accounts.begin(), data_.accounts.begin() + 2);  // the foreign one stays
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(Selection(Control(view, IDC_COMBO_ACCOUNT)), CB_ERR);
  EXPECT_EQ(Queries(), 0);
  EXPECT_TRUE(view->m_CurAccount.m_strAccount.IsEmpty());
  EXPECT_TRUE(Enabled(Control(view, IDC_BTN_REFRESH)));
}

TEST_F(PositionsDialogTest, WithoutAccountsTheSelectorSaysSoAndEverythingIsDisabled) {
  data_.accounts.clear();
  JqzOrderBaseView* view = Open();
  HWND combo = Control(view, IDC_COMBO_ACCOUNT);
  EXPECT_EQ(Text(combo), "無證券帳號");
  EXPECT_FALSE(Enabled(combo));
  EXPECT_FALSE(Enabled(Control(view, IDC_BTN_REFRESH)));
  EXPECT_FALSE(Enabled(Control(view, IDC_BTN_SETAVGPRICE)));
  EXPECT_EQ(Queries(), 0);
}

TEST_F(PositionsDialogTest, TheUsersChoiceIsQueriedAndFollowedByTheSyncGroup) {
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, 1);
  JqzOrderBaseView* other = AddView(moduletest::kHoldingsView, 1);
  JqzOrderBaseView* alone = AddView(moduletest::kHoldingsView, 2);
  Login();
  WaitForFill();
  ClearEvents();
  ASSERT_TRUE(input::ChooseComboEntry(Control(view, IDC_COMBO_ACCOUNT), 1));
  WaitForFill();
  EXPECT_EQ(QueriedAccounts(), (std::vector<std::string>{"0654321", "0654321"}));
  EXPECT_EQ(Rows(view), 2);
  EXPECT_EQ(Rows(other), 2);
  EXPECT_EQ(Selection(Control(other, IDC_COMBO_ACCOUNT)), 1);
  EXPECT_EQ(Selection(Control(alone, IDC_COMBO_ACCOUNT)), 0);
}

TEST_F(PositionsDialogTest, AnAccountChangeFromTheViewRequeriesTheSameAccountOnlyWhenAsked) {
  JqzOrderBaseView* view = Open();
  ClearEvents();
  view->vChangeDlgAccount(moduletest::Account(0), false);
  EXPECT_EQ(Queries(), 0);
  view->vChangeDlgAccount(moduletest::Account(0), true);
  EXPECT_EQ(QueriedAccounts(), std::vector<std::string>{"0123456"});

  AccountType unknown = moduletest::Account(1);
  unknown.m_strAccount = "7777777";
  view->vChangeDlgAccount(unknown, true);
  EXPECT_EQ(Queries(), 1);
  EXPECT_EQ(view->m_CurAccount.m_strAccount, "0123456");

  view->vChangeDlgAccount(moduletest::Account(1), false);
  EXPECT_EQ(Queries(), 2);
  EXPECT_EQ(view->m_CurAccount.m_strAccount, "0654321");
  EXPECT_EQ(Selection(Control(view, IDC_COMBO_ACCOUNT)), 1);
}

TEST_F(PositionsDialogTest, OtherNoticesDuringAQueryLeadToExactlyOneRequeryAfterTheFill) {
  JqzOrderBaseView* view = Open();
  ClearEvents();
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_REFRESH)));
  EXPECT_EQ(Queries(), 1);
  Notice(view, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_ORDERCHANGED, "0123456");
  Notice(view, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_ORDERCHANGED, "0123456");
  // The answer comes, the fill follows two seconds later; the timer ticks meanwhile.
  Advance(300 + 1999);
  EXPECT_EQ(Queries(), 1);
  Advance(1);
  EXPECT_EQ(Rows(view), 1);
  Advance(1000);
  EXPECT_EQ(Queries(), 2);
  WaitForFill();
  Advance(5000);
  EXPECT_EQ(Queries(), 2);
}

TEST_F(PositionsDialogTest, NoticesForOtherAccountsAreDropped) {
  JqzOrderBaseView* view = Open();
  ClearEvents();
  Notice(view, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_ORDERCHANGED, "0654321");
  Notice(view, WM_ORDER_REFRESHERRDATA, ORDERDATA_NOTIFY_ORDERCHANGED, "0654321");
  Advance(3000);
  EXPECT_EQ(Queries(), 0);

  // The refresh empties the list; a holdings notice for another account must not fill it
  // before the real answer's fill.
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_REFRESH)));
  EXPECT_EQ(Rows(view), 0);
  Notice(view, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_UNOFFSET, "0654321");
  Advance(2100);
  EXPECT_EQ(Rows(view), 0);
  Advance(200);
  EXPECT_EQ(Rows(view), 1);
}

TEST_F(PositionsDialogTest, AFailedQueryShowsTheEarlierAnswerAgainAndOtherFailuresRequery) {
  JqzOrderBaseView* view = Open();
  host::Broker::Instance().FailNextQueries({host::QueryKind::kUnoffset, "0123456", 1});
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_REFRESH)));
  Advance(300);
  EXPECT_EQ(Events("queryFailed").size(), 1u);
  EXPECT_EQ(Rows(view), 0);
  Advance(2000);
  EXPECT_EQ(Rows(view), 1);
  EXPECT_EQ(Cell(view, 0, "IDS_ORDER-ITEM_STOCKCODE"), "2330");

  ClearEvents();
  Notice(view, WM_ORDER_REFRESHERRDATA, ORDERDATA_NOTIFY_ORDERCHANGED, "0123456");
  Advance(1000);
  EXPECT_EQ(Queries(), 1);
}

TEST_F(PositionsDialogTest, AnEmptyAnswerEndsTheQuerySoThatLaterChangesRequery) {
  data_.accounts[0].domestic.clear();
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(Rows(view), 0);
  EXPECT_EQ(Text(view, IDC_STATIC_ROWCOUNT), "0筆");
  EXPECT_FALSE(Visible(Control(view, IDC_STATIC_STM_RATIO)));
  ClearEvents();
  Notice(view, WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_ORDERCHANGED, "0123456");
  Advance(1000);
  EXPECT_EQ(Queries(), 1);
}

TEST_F(PositionsDialogTest, AnEmptyMarketValueCaptionHidesTheTotal) {
  SetLanguageText("IDS_DIALOG-TABFINANCESTOCKUNOFFSET_STATIC_MARKETVALUE", "");
  JqzOrderBaseView* view = Open();
  for (int id : {IDC_GROUP_MARKETVALUE, IDC_STATIC_MARKETVALUE, IDC_STATIC_TOTAL})
    EXPECT_FALSE(Visible(Control(view, id))) << id;
  EXPECT_EQ(Rows(view), 1);
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "NT$ --");
}

struct RatioCase {
  const char* ratio;
  const char* login;
  const char* shown;
};

class PositionsRatioTest : public PositionsDialogTest, public ::testing::WithParamInterface<RatioCase> {};

TEST_P(PositionsRatioTest, TheRatioFallsBackToTheLoginRecord) {
  data_.accounts[0].maintenanceRatio = GetParam().ratio;
  data_.accounts[0].login.m_strMaintainRatio = GetParam().login;
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(Text(view, IDC_STATIC_STM_RATIO), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PositionsRatioTest,
    ::testing::Values(RatioCase{"187", "0123456|150", "整戶維持率: 187 %"},
                      RatioCase{"0", "0123456|150", "整戶維持率: 150 %"},
                      RatioCase{"0", "165", "整戶維持率: 165 %"},
                      RatioCase{"abc", "", "整戶維持率: 0 %"},
                      RatioCase{"-5", "0123456|x", "整戶維持率: 0 %"},
                      RatioCase{"", "0123456|150", "整戶維持率：--%"}));

TEST_F(PositionsDialogTest, TheExportCommandWritesTheList) {
  JqzOrderBaseView* view = Open();
  const std::filesystem::path exports = s_PathGetSysPath(2).str();
  std::error_code ec;
  const auto before = std::filesystem::exists(exports, ec)
                          ? std::distance(std::filesystem::directory_iterator(exports), {})
                          : 0;
  ::SendMessageA(DialogOf(view), WM_COMMAND, MAKEWPARAM(ID_DATA_EXPORT, 0), 0);
  ASSERT_TRUE(std::filesystem::exists(exports));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(exports), {}), before + 1);
}

TEST_F(PositionsDialogTest, SortingByAColumnRenumbersTheLines) {
  Hold(0, Record("2317", {{3, 500}, {4, 500}}));
  Quote(16, "2317", "鴻海", {{125, 101.5}});
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 2);
  HWND header = reinterpret_cast<HWND>(::SendMessageA(List(view), LVM_GETHEADER, 0, 0));
  const int column = Column(view, "IDS_ORDER-ITEM_STOCKCODE");
  RECT r{};
  ::SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
  ASSERT_TRUE(input::Click(header, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
  EXPECT_EQ(Cell(view, 0, "IDS_ORDER-ITEM_STOCKCODE"), "2317");
  EXPECT_EQ(Cell(view, 0, "IDS_ORDER-ITEM_DATACOUNT"), "1");
  EXPECT_EQ(Cell(view, 1, "IDS_ORDER-ITEM_DATACOUNT"), "2");
}

TEST_F(PositionsDialogTest, TheListFillsTheViewBelowTheControls) {
  JqzOrderBaseView* view = Open();
  RECT client{}, list{};
  ::GetClientRect(view->GetSafeHwnd(), &client);
  ::GetWindowRect(List(view), &list);
  ::MapWindowPoints(nullptr, view->GetSafeHwnd(), reinterpret_cast<POINT*>(&list), 2);
  EXPECT_NEAR(list.right, client.right, 4);
  EXPECT_NEAR(list.bottom, client.bottom, 4);
  EXPECT_GT(list.right - list.left, 900);
  EXPECT_GT(list.top, 0);
}

}  // namespace
}  // namespace positionstest
