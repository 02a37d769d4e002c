#include "afxmodule.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <dlfcn.h>
#include <link.h>
#endif

#include "afx_internal.h"

namespace {

struct DialogResource {
  const DLGTEMPLATE* tmpl;
  const void* dlgInit;
};

// The chain, newest library first.
std::vector<CDynLinkLibrary*>& chain() {
  static auto* libraries = new std::vector<CDynLinkLibrary*>;
  return *libraries;
}

std::map<HINSTANCE, std::map<std::string, DialogResource>>& dialogResources() {
  static auto* resources = new std::map<HINSTANCE, std::map<std::string, DialogResource>>;
  return *resources;
}

HINSTANCE& resourceHandle() {
  static HINSTANCE handle = nullptr;
  return handle;
}

// Resource names compare without case; "#12" names the same resource as id 12.
std::string resourceKey(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  std::string key(name);
  if (key.size() > 1 && key.size() <= 6 && key[0] == '#' &&
      std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return "#" + std::to_string(std::stoul(key.substr(1)) & 0xFFFF);
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return key;
}

const DialogResource* findIn(HINSTANCE hInst, const std::string& key) {
  auto& all = dialogResources();
  auto module = all.find(hInst);
  if (module == all.end()) return nullptr;
  auto it = module->second.find(key);
  return it == module->second.end() ? nullptr : &it->second;
}

// Where a template is looked for, in order: the current resource handle, then the chain, then the program.
std::vector<HINSTANCE> searchOrder() {
  std::vector<HINSTANCE> order{AfxGetResourceHandle()};
  for (CDynLinkLibrary* lib : chain())
    if (lib->m_hResource) order.push_back(lib->m_hResource);
  order.push_back(AfxGetInstanceHandle());
  return order;
}

#ifndef _WIN32
using DllEntry = BOOL (*)(HINSTANCE, DWORD, LPVOID);

// Loads per library: like Windows, DllMain hears the first load and the last free only.
std::map<void*, int>& loadCounts() {
  static auto* counts = new std::map<void*, int>;
  return *counts;
}
#endif

}  // namespace

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (!hModule) return FALSE;
  if (state.bInitialized) return TRUE;
  state.hModule = hModule;
  state.hResource = hModule;
  state.bInitialized = TRUE;
  afx_internal::RestoreClassesOf(hModule);
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized && !bAll) return;
  std::vector<CDynLinkLibrary*> mine;
  for (CDynLinkLibrary* lib : chain())
    if (bAll || lib->m_hModule == state.hModule) mine.push_back(lib);
  for (CDynLinkLibrary* lib : mine) delete lib;
  if (state.hResource) AfxRemoveResources(state.hResource);
  afx_internal::RemoveClassesOf(state.hModule);
  afx_internal::ForgetMessageEntries();
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem) {
  chain().insert(chain().begin(), this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  auto& c = chain();
  c.erase(std::remove(c.begin(), c.end(), this), c.end());
}

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() {
  return resourceHandle() ? resourceHandle() : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { resourceHandle() = hInstResource; }

HINSTANCE AfxGetModuleHandleOf(const void* address) {
#ifdef _WIN32
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCSTR>(address), &module))
    return nullptr;
  return module;
#else
  Dl_info info;
  struct link_map* map = nullptr;
  if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) || !map)
    return nullptr;
  // The program itself is known by the handle GetModuleHandle(nullptr) gives.
  static void* const program = dlopen(nullptr, RTLD_LAZY);
  if (map == program) return AfxGetInstanceHandle();
  return reinterpret_cast<HINSTANCE>(map);  // a library's handle is its dlopen handle
#endif
}

HINSTANCE AfxLoadLibrary(LPCSTR lpszModuleName) {
  if (!lpszModuleName || IS_INTRESOURCE(lpszModuleName)) return nullptr;
#ifdef _WIN32
  return LoadLibraryA(lpszModuleName);
#else
  void* handle = dlopen(lpszModuleName, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  auto hInst = static_cast<HINSTANCE>(handle);
  if (loadCounts()[handle]++ > 0) return hInst;
  if (auto entry = reinterpret_cast<DllEntry>(dlsym(handle, "DllMain"))) {
    if (!entry(hInst, DLL_PROCESS_ATTACH, nullptr)) {
      entry(hInst, DLL_PROCESS_DETACH, nullptr);
      loadCounts().erase(handle);
      dlclose(handle);
      return nullptr;
    }
  }
  return hInst;
#endif
}

BOOL AfxFreeLibrary(HINSTANCE hInstLib) {
  if (!hInstLib) return FALSE;
#ifdef _WIN32
  return FreeLibrary(hInstLib);
#else
  void* handle = hInstLib;
  auto count = loadCounts().find(handle);
  if (count == loadCounts().end()) return FALSE;
  if (--count->second > 0) return dlclose(handle) == 0 ? TRUE : FALSE;
  loadCounts().erase(count);
  if (auto entry = reinterpret_cast<DllEntry>(dlsym(handle, "DllMain")))
    entry(hInstLib, DLL_PROCESS_DETACH, nullptr);
  return dlclose(handle) == 0 ? TRUE : FALSE;
#endif
}

BOOL AfxAddDialogResource(HINSTANCE hInst, LPCSTR lpszTemplateName, const DLGTEMPLATE* lpTemplate,
                          const void* lpDlgInit) {
  if (!hInst || !lpszTemplateName || !lpTemplate) return FALSE;
  if (!IS_INTRESOURCE(lpszTemplateName) && *lpszTemplateName == '\0') return FALSE;
  dialogResources()[hInst][resourceKey(lpszTemplateName)] = DialogResource{lpTemplate, lpDlgInit};
  return TRUE;
}

void AfxRemoveResources(HINSTANCE hInst) {
  dialogResources().erase(hInst);
  if (resourceHandle() == hInst) resourceHandle() = nullptr;
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
  if (!lpszName || lpszType != RT_DIALOG) return nullptr;
  if (!IS_INTRESOURCE(lpszName) && *lpszName == '\0') return nullptr;
  const std::string key = resourceKey(lpszName);
  for (HINSTANCE h : searchOrder())
    if (findIn(h, key)) return h;
  return nullptr;
}

namespace {
std::set<std::string>& failingTemplates() {
  static std::set<std::string> keys;
  return keys;
}
}  // namespace

void AfxFailNextDialogTemplate(LPCSTR lpszTemplateName) {
  if (lpszTemplateName) failingTemplates().insert(resourceKey(lpszTemplateName));
}

const DLGTEMPLATE* AfxFindDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst,
                                         const void** ppDlgInit) {
  if (lpszTemplateName && failingTemplates().erase(resourceKey(lpszTemplateName))) return nullptr;
  HINSTANCE h = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  if (!h) return nullptr;
  const DialogResource* r = findIn(h, resourceKey(lpszTemplateName));
  if (phInst) *phInst = h;
  if (ppDlgInit) *ppDlgInit = r->dlgInit;
  return r->tmpl;
}
