// Account changes between the views of a frame: the registered account-change
// message reaches the other views of the sender's sync group, and each applies it
// by the sync-group rule.
#include <afxwin.h>

#include "CommonUtilities.h"
#include "JqzOrderBaseView.h"
#include "host_fixture.h"

namespace {

class SyncView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(SyncView)
 public:
  std::vector<AccountType> changes;
  std::vector<bool> refreshFlags;
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) override {
    changes.push_back(account);
    refreshFlags.push_back(bRefreshIfSame);
    JqzOrderBaseView::vChangeDlgAccount(account, bRefreshIfSame);
  }
};
IMPLEMENT_DYNCREATE(SyncView, JqzOrderBaseView)

class ViewSyncTest : public hosttest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    frame_ = new CFrameWnd;
    ASSERT_TRUE(frame_->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
    frame_->SetPaneLayout(CFrameWnd::paneRows);
  }
  void TearDown() override {
    if (::IsWindow(frame_->GetSafeHwnd())) frame_->DestroyWindow();
    HostTest::TearDown();
  }
  SyncView* AddView(BYTE group, bool follow = false) {
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(SyncView);
    auto* view = static_cast<SyncView*>(frame_->CreateView(&ctx));
    view->SetSyncType(group);
    view->SetChange(follow);
    return view;
  }

  CFrameWnd* frame_ = nullptr;
};

TEST_F(ViewSyncTest, TheSendersGroupFollowsOtherGroupsDoNot) {
  SyncView* sender = AddView(1);
  SyncView* sameGroup = AddView(1);
  SyncView* otherGroup = AddView(2);
  SyncView* ungrouped = AddView(0, true);

  const AccountType account = hosttest::LoginAccounts()[1];
  sender->vSetActiveAccount(account);
  sender->vSendChangeAccount(sender, sender->GetSyncType());

  ASSERT_EQ(sameGroup->changes.size(), 1u);
  EXPECT_TRUE(sameGroup->changes[0] == account);
  EXPECT_TRUE(sameGroup->refreshFlags[0]);
  AccountType shown;
  sameGroup->vGetCurrAccount(shown);
  EXPECT_TRUE(shown == account);
  EXPECT_TRUE(sender->changes.empty());
  EXPECT_TRUE(otherGroup->changes.empty());
  EXPECT_TRUE(ungrouped->changes.empty());
}

TEST_F(ViewSyncTest, UngroupedViewsFollowOnlyWhileTheyAskToFollow) {
  SyncView* sender = AddView(0);
  SyncView* follower = AddView(0, true);
  SyncView* loner = AddView(0, false);
  SyncView* grouped = AddView(1);

  sender->vSetActiveAccount(hosttest::LoginAccounts()[2]);
  sender->vSendChangeAccount(sender, 0);
  EXPECT_EQ(follower->changes.size(), 1u);
  EXPECT_TRUE(loner->changes.empty());
  EXPECT_TRUE(grouped->changes.empty());

  loner->SetChange(true);
  sender->vSendChangeAccount(sender, 0);
  EXPECT_EQ(follower->changes.size(), 2u);
  EXPECT_EQ(loner->changes.size(), 1u);
}

TEST_F(ViewSyncTest, NoticesFromItselfAnotherGroupOrAnUnknownSenderChangeNothing) {
  SyncView* view = AddView(3);
  SyncView* other = AddView(3);
  other->vSetActiveAccount(hosttest::LoginAccounts()[0]);
  const UINT message = QzGetSendChangeAccountMessage();
  ASSERT_NE(message, 0u);

  view->SendMessage(message, 3, reinterpret_cast<LPARAM>(view));
  view->SendMessage(message, 4, reinterpret_cast<LPARAM>(other));
  int notAView = 0;
  view->SendMessage(message, 3, reinterpret_cast<LPARAM>(&notAView));
  view->SendMessage(message, 3, 0);
  EXPECT_TRUE(view->changes.empty());

  // Only the low byte carries the group.
  view->SendMessage(message, 0x103, reinterpret_cast<LPARAM>(other));
  ASSERT_EQ(view->changes.size(), 1u);
  EXPECT_TRUE(view->changes[0] == hosttest::LoginAccounts()[0]);

  // The direct form applies the same rule.
  view->vChangeAccount(other, 4, hosttest::LoginAccounts()[1]);
  view->vChangeAccount(view, 3, hosttest::LoginAccounts()[1]);
  EXPECT_EQ(view->changes.size(), 1u);
  view->vChangeAccount(other, 3, hosttest::LoginAccounts()[1]);
  EXPECT_EQ(view->changes.size(), 2u);
}

TEST_F(ViewSyncTest, AccountListsOfAView) {
  SyncView* view = AddView(1);
  EXPECT_EQ(view->vGetAllAcountVec(true).size(), 4u);
  const std::vector<AccountType> securities = view->vGetAllAcountVec(false);
  ASSERT_EQ(securities.size(), 3u);
  EXPECT_EQ(view->vGetAllAccountByTradeType(51).size(), 1u);
  EXPECT_EQ(view->vGetAllAccountByTradeType(65).size(), 2u);

  const std::vector<AccountType> withAll = view->vInsertAllAcount();
  ASSERT_EQ(withAll.size(), 5u);
  const CString all = s_LangGetLangString("IDS_ORDER-COMMON_ALL_ACCOUNT");
  ASSERT_FALSE(all.IsEmpty());
  EXPECT_EQ(withAll[3].m_strAccount, all);
  EXPECT_EQ(withAll[3].m_nAccountType, 65);
  EXPECT_EQ(withAll[4].m_strAccount, all);
  EXPECT_EQ(withAll[4].m_nAccountType, 51);
}

}  // namespace
