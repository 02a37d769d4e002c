// Extension libraries: a library loaded at run time brings its runtime classes
// and its dialog templates into the chain and takes them away when unloaded.
// Templates are looked up in the current resource handle, then along the chain.
#include <afx.h>
#include <templates/dialog_template.h>

#include <cstdlib>

#include "test_support.h"

namespace {

class ExtensionModuleTest : public testsupport::PlatformTest {
 protected:
  void TearDown() override {
    AfxSetResourceHandle(nullptr);
    AfxRemoveResources(AfxGetInstanceHandle());
    testsupport::PlatformTest::TearDown();
  }
};

TEST_F(ExtensionModuleTest, LoadedLibraryCreatesItsClassByNameUntilUnloaded) {
  EXPECT_EQ(CRuntimeClass::FromName("CSampleExtensionObject"), nullptr);
  HINSTANCE lib = AfxLoadLibrary(AFX_SAMPLE_EXTENSION);
  ASSERT_NE(lib, nullptr);

  CRuntimeClass* cls = CRuntimeClass::FromName("CSampleExtensionObject");
  ASSERT_NE(cls, nullptr);
  EXPECT_TRUE(cls->IsDerivedFrom(RUNTIME_CLASS(CObject)));
  EXPECT_EQ(AfxGetModuleHandleOf(cls), lib);
  CObject* obj = CRuntimeClass::CreateObject("CSampleExtensionObject");
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(obj->GetRuntimeClass(), cls);
  EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CObject)));
  delete obj;

  HINSTANCE found = nullptr;
  EXPECT_NE(AfxFindDialogTemplate(MAKEINTRESOURCE(501), &found), nullptr);
  EXPECT_EQ(found, lib);
  EXPECT_EQ(AfxFindResourceHandle("#501", RT_DIALOG), lib);

  EXPECT_TRUE(AfxFreeLibrary(lib));
  EXPECT_EQ(CRuntimeClass::FromName("CSampleExtensionObject"), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject("CSampleExtensionObject"), nullptr);
  EXPECT_EQ(AfxFindDialogTemplate(MAKEINTRESOURCE(501)), nullptr);
}

TEST_F(ExtensionModuleTest, TemplatesComeFromTheResourceHandleFirstThenTheChain) {
  templates::DialogTemplate program("program 500", WS_POPUP, {0, 0, 10, 10});
  ASSERT_TRUE(AfxAddDialogResource(AfxGetInstanceHandle(), MAKEINTRESOURCE(500), program.Get()));
  HINSTANCE lib = AfxLoadLibrary(AFX_SAMPLE_EXTENSION);
  ASSERT_NE(lib, nullptr);

  HINSTANCE found = nullptr;
  EXPECT_EQ(AfxFindDialogTemplate(MAKEINTRESOURCE(500), &found), program.Get());
  EXPECT_EQ(found, AfxGetInstanceHandle());

  AfxSetResourceHandle(lib);
  EXPECT_EQ(AfxGetResourceHandle(), lib);
  const DLGTEMPLATE* fromLib = AfxFindDialogTemplate(MAKEINTRESOURCE(500), &found);
  EXPECT_NE(fromLib, nullptr);
  EXPECT_NE(fromLib, program.Get());
  EXPECT_EQ(found, lib);

  // Unloading the library that is the resource handle falls back to the program.
  EXPECT_TRUE(AfxFreeLibrary(lib));
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
  EXPECT_EQ(AfxFindDialogTemplate(MAKEINTRESOURCE(500)), program.Get());
  EXPECT_EQ(AfxFindDialogTemplate("no such"), nullptr);
  EXPECT_EQ(AfxFindDialogTemplate(nullptr), nullptr);
}

TEST_F(ExtensionModuleTest, FailedInitialisationFailsTheLoad) {
  setenv("AFX_SAMPLE_FAIL", "1", 1);
  HINSTANCE lib = AfxLoadLibrary(AFX_SAMPLE_EXTENSION);
  unsetenv("AFX_SAMPLE_FAIL");
  EXPECT_EQ(lib, nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CSampleExtensionObject"), nullptr);
  EXPECT_EQ(AfxLoadLibrary("/nonexistent/libnothing.so"), nullptr);
  EXPECT_FALSE(AfxFreeLibrary(nullptr));
}

TEST_F(ExtensionModuleTest, OnlyTheFirstLoadAndTheLastFreeReachTheLibrary) {
  HINSTANCE first = AfxLoadLibrary(AFX_SAMPLE_EXTENSION);
  ASSERT_NE(first, nullptr);
  HINSTANCE second = AfxLoadLibrary(AFX_SAMPLE_EXTENSION);
  EXPECT_EQ(second, first);
  // A second entry in the chain would outlive the first free.
  EXPECT_TRUE(AfxFreeLibrary(second));
  EXPECT_NE(CRuntimeClass::FromName("CSampleExtensionObject"), nullptr);
  EXPECT_NE(AfxFindDialogTemplate(MAKEINTRESOURCE(501)), nullptr);
  EXPECT_TRUE(AfxFreeLibrary(first));
  EXPECT_EQ(CRuntimeClass::FromName("CSampleExtensionObject"), nullptr);
  EXPECT_EQ(AfxFindDialogTemplate(MAKEINTRESOURCE(501)), nullptr);
  EXPECT_FALSE(AfxFreeLibrary(first));

  // Loaded again, it brings its classes again.
  HINSTANCE again = AfxLoadLibrary(AFX_SAMPLE_EXTENSION);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(CRuntimeClass::FromName("CSampleExtensionObject"), nullptr);
  EXPECT_TRUE(AfxFreeLibrary(again));
}

TEST_F(ExtensionModuleTest, ResourceNamesIgnoreCase) {
  templates::DialogTemplate named("named", WS_POPUP, {0, 0, 10, 10});
  ASSERT_TRUE(AfxAddDialogResource(AfxGetInstanceHandle(), "IDD_Order", named.Get()));
  EXPECT_EQ(AfxFindDialogTemplate("idd_order"), named.Get());
  EXPECT_FALSE(AfxAddDialogResource(AfxGetInstanceHandle(), "", named.Get()));
  EXPECT_FALSE(AfxAddDialogResource(nullptr, "x", named.Get()));
}

}  // namespace
