// The templates as the module library brings them: registered with its
// resource handle, found by id along the framework's resource chain, and
// created by the framework's dialogs with their DLGINIT strings in place.
#include <afxwin.h>
#include <module_resources.h>
#include <resource.h>

#include <string>
#include <vector>

#include "dialog_host.h"

namespace {

using Strings = std::vector<std::string>;

// Any distinct non-null handle serves as the library's instance here.
char g_libraryImage;
HINSTANCE libraryHandle() { return reinterpret_cast<HINSTANCE>(&g_libraryImage); }

class ResourceChainTest : public restest::ModuleDialogTest {
 protected:
  void TearDown() override {
    AfxSetResourceHandle(nullptr);
    if (module_.bInitialized) AfxTermExtensionModule(module_);
    ModuleDialogTest::TearDown();
  }
  // What the library's DllMain does on process attach.
  BOOL LoadLibraryResources() {
    if (!AfxInitExtensionModule(module_, libraryHandle())) return FALSE;
    new CDynLinkLibrary(module_);
    return qzres::RegisterDialogTemplates(module_.hResource);
  }
  AFX_EXTENSION_MODULE module_{FALSE, nullptr, nullptr};
};

TEST_F(ResourceChainTest, RegisteredTemplatesAreFoundAlongTheChainUntilTheLibraryLeaves) {
  ASSERT_TRUE(LoadLibraryResources());

  // The program is the resource handle; the templates come from the chain.
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
  for (UINT id : qzres::kDialogIds) {
    SCOPED_TRACE(id);
    HINSTANCE found = nullptr;
    const void* init = reinterpret_cast<const void*>(1);
    EXPECT_EQ(AfxFindDialogTemplate(MAKEINTRESOURCE(id), &found, &init),
              qzres::DialogTemplateOf(id));
    EXPECT_EQ(found, libraryHandle());
    EXPECT_EQ(init, qzres::DlgInitOf(id));
    EXPECT_EQ(AfxFindResourceHandle(("#" + std::to_string(id)).c_str(), RT_DIALOG),
              libraryHandle());
  }
  EXPECT_NE(qzres::DlgInitOf(IDD_STOCK_UNOFFSET), nullptr);
  EXPECT_NE(qzres::DlgInitOf(IDD_SET_AVG_DEAL_PRICE), nullptr);
  EXPECT_EQ(qzres::DlgInitOf(IDD_STOCK_INVENTORY), nullptr);
  EXPECT_EQ(qzres::DlgInitOf(IDD_STOCK_DIVIDEND_CALC), nullptr);

  // Gone with it; what is found now is the loaded module library's own copy.
  AfxTermExtensionModule(module_);
  for (UINT id : qzres::kDialogIds) {
    HINSTANCE found = nullptr;
    AfxFindDialogTemplate(MAKEINTRESOURCE(id), &found);
    EXPECT_NE(found, libraryHandle());
  }
}

TEST_F(ResourceChainTest, RegistrationNeedsAHandle) {
  EXPECT_FALSE(qzres::RegisterDialogTemplates(nullptr));
}

TEST_F(ResourceChainTest, ChildDialogsCreatedByIdGetTheirDlgInitStrings) {
  ASSERT_TRUE(LoadLibraryResources());
  CWnd* view = CWnd::FromHandle(host);

  CDialog positions;
  ASSERT_TRUE(positions.Create(IDD_STOCK_UNOFFSET, view));
  EXPECT_EQ(restest::ComboEntries(GetDlgItem(positions.m_hWnd, IDC_COMBO_ACCOUNT)),
            Strings{"查詢中"});

  // Templates without DLGINIT data leave their boxes empty.
  CDialog inventory;
  ASSERT_TRUE(inventory.Create(IDD_STOCK_INVENTORY, view));
  EXPECT_TRUE(restest::ComboEntries(GetDlgItem(inventory.m_hWnd, IDC_COMBO_ACCOUNT)).empty());
  CDialog dividend;
  ASSERT_TRUE(dividend.Create(IDD_STOCK_DIVIDEND_CALC, view));
  for (int id : {IDC_COMBO_ACCOUNT, IDC_COMBO_DIVIDEND_TYPE, IDC_COMBO_INTERVAL})
    EXPECT_TRUE(restest::ComboEntries(GetDlgItem(dividend.m_hWnd, id)).empty()) << id;

  positions.DestroyWindow();
  inventory.DestroyWindow();
  dividend.DestroyWindow();
}

TEST_F(ResourceChainTest, TheModalAverageCostDialogOpensWithItsPlaceholders) {
  ASSERT_TRUE(LoadLibraryResources());
  Strings entries;
  std::string caption;
  testsupport::AnswerDialogs([&](HWND dlg) -> INT_PTR {
    caption = restest::TextOf(dlg);
    entries = restest::ComboEntries(GetDlgItem(dlg, IDC_COMBO_STOCK));
    return IDCANCEL;
  });
  CDialog dlg(IDD_SET_AVG_DEAL_PRICE, CWnd::FromHandle(host));
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(caption, "重新設定股票持股平均成本");
  EXPECT_EQ(entries, (Strings{"test1", "test2"}));
}

}  // namespace
