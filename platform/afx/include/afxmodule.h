// Extension libraries and resources: a library enters the chain when it is
// loaded, bringing its runtime classes and its dialog templates, and leaves it
// when unloaded. Templates are looked up in the current resource handle first,
// then along the chain.
#pragma once

#include <windows.h>

#include "afxobject.h"

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
};

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes the library's entries from the chain, its resources and its classes.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// A library's entry in the chain; created after AfxInitExtensionModule succeeds.
// The newest library is searched first.
class CDynLinkLibrary : public CObject {
  DECLARE_DYNAMIC(CDynLinkLibrary)
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  ~CDynLinkLibrary() override;
  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
};

// Loads a library and calls its DllMain(DLL_PROCESS_ATTACH), where an
// extension library joins the chain; a DllMain that returns FALSE fails the
// load. The handle is the library's instance handle.
HINSTANCE AfxLoadLibrary(LPCSTR lpszModuleName);
// Calls DllMain(DLL_PROCESS_DETACH), where the library leaves the chain, and unloads it.
BOOL AfxFreeLibrary(HINSTANCE hInstLib);

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The handle of the library (or program) whose image holds the address.
HINSTANCE AfxGetModuleHandleOf(const void* address);

// Resources kept in memory, standing in for a resource section. The data stay
// owned by the caller and must live as long as the registration.
BOOL AfxAddDialogResource(HINSTANCE hInst, LPCSTR lpszTemplateName, const DLGTEMPLATE* lpTemplate,
                          const void* lpDlgInit = nullptr);
void AfxRemoveResources(HINSTANCE hInst);
// The handle that holds the dialog template: the current resource handle first, then the chain.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
const DLGTEMPLATE* AfxFindDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst = nullptr,
                                         const void** ppDlgInit = nullptr);
// Not the framework's: the next look-up of this template finds nothing, as when the
// resource is missing, so that a host or a test can make one dialog creation fail.
void AfxFailNextDialogTemplate(LPCSTR lpszTemplateName);

#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_DLGINIT MAKEINTRESOURCE(240)
