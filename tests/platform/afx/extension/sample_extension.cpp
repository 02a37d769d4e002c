// A small extension library: when loaded it joins the chain with one runtime
// class and two dialog templates; it leaves when unloaded. Setting
// AFX_SAMPLE_FAIL in the environment makes its initialisation fail.
#include <afx.h>
#include <templates/dialog_template.h>

#include <cstdlib>

class CSampleExtensionObject : public CObject {
  DECLARE_DYNCREATE(CSampleExtensionObject)
 public:
  int m_nMagic = 4711;
};
IMPLEMENT_DYNCREATE(CSampleExtensionObject, CObject)

namespace {

AFX_EXTENSION_MODULE extensionDll = {FALSE, nullptr, nullptr};

const templates::DialogTemplate& sampleTemplate(const char* caption) {
  static templates::DialogTemplate shared("library 500", WS_POPUP | WS_CAPTION, {0, 0, 100, 50});
  static templates::DialogTemplate own("library 501", WS_POPUP | WS_CAPTION, {0, 0, 120, 60});
  return caption[0] == 's' ? shared : own;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) BOOL DllMain(HINSTANCE hInstance, DWORD dwReason,
                                                                LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (std::getenv("AFX_SAMPLE_FAIL")) return FALSE;
    if (!AfxInitExtensionModule(extensionDll, hInstance)) return FALSE;
    new CDynLinkLibrary(extensionDll);
    AfxAddDialogResource(hInstance, MAKEINTRESOURCE(500), sampleTemplate("shared").Get());
    AfxAddDialogResource(hInstance, MAKEINTRESOURCE(501), sampleTemplate("own").Get());
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(extensionDll);
  }
  return TRUE;
}
