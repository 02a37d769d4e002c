// The library as the host finds it once loaded: its two view classes by name, its
// dialog templates along the chain and its registered messages.
#include <gtest/gtest.h>

#include <afxmodule.h>
#include <afxwin.h>

#include "JqzOrderBaseView.h"
#include "module_fixture.h"
#include "resource.h"

namespace {

// The fixture's fresh home keeps the host's log out of the working directory.
using ModuleLibraryTest = moduletest::ModuleTest;

TEST_F(ModuleLibraryTest, TheHostFindsBothViewsByName) {
  for (const char* name : {moduletest::kHoldingsView, moduletest::kDividendView}) {
    CRuntimeClass* cls = CRuntimeClass::FromName(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_EQ(cls->m_wSchema, 0xFFFF) << name;
    EXPECT_TRUE(cls->IsDerivedFrom(RUNTIME_CLASS(JqzOrderBaseView))) << name;
    CObject* object = cls->CreateObject();
    ASSERT_NE(object, nullptr) << name;
    EXPECT_EQ(object->GetRuntimeClass(), cls);
    delete object;
  }
}

TEST_F(ModuleLibraryTest, ItsTemplatesAreFoundAlongTheChain) {
  for (UINT id : {IDD_STOCK_INVENTORY, IDD_STOCK_UNOFFSET, IDD_SET_AVG_DEAL_PRICE,
                  IDD_STOCK_DIVIDEND_CALC}) {
    EXPECT_NE(AfxFindDialogTemplate(MAKEINTRESOURCE(id)), nullptr) << id;
  }
}

TEST_F(ModuleLibraryTest, ItsMessagesAreTheSystemWideOnes) {
  EXPECT_EQ(QzGetSendChangeAccountMessage(), ::RegisterWindowMessageA("QZMSG_SENDCHANGEACCOUNT"));
  EXPECT_NE(::RegisterWindowMessageA("QZMSG_SENDORDER"), 0u);
}

TEST_F(ModuleLibraryTest, UnloadedItLeavesTheChainAndComesBackWhenLoadedAgain) {
  ASSERT_TRUE(moduletest::UnloadModule());
  EXPECT_EQ(CRuntimeClass::FromName(moduletest::kHoldingsView), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(moduletest::kDividendView), nullptr);
  EXPECT_EQ(AfxFindDialogTemplate(MAKEINTRESOURCE(IDD_STOCK_UNOFFSET)), nullptr);

  ASSERT_TRUE(moduletest::LoadModule());
  EXPECT_NE(CRuntimeClass::FromName(moduletest::kHoldingsView), nullptr);
  EXPECT_NE(AfxFindDialogTemplate(MAKEINTRESOURCE(IDD_STOCK_UNOFFSET)), nullptr);
}

}  // namespace
