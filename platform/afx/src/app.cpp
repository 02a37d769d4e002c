// The program's name and the framework's message boxes.
#include <string>

#include "afxwin.h"

#ifndef _WIN32
#include <errno.h>  // program_invocation_short_name
#endif

namespace {
std::string& appName() {
  static auto* name = new std::string(
#ifdef _WIN32
      ""
#else
      program_invocation_short_name
#endif
  );
  return *name;
}
}  // namespace

LPCTSTR AfxGetAppName() { return appName().c_str(); }
void AfxSetAppName(LPCTSTR lpszAppName) { appName() = lpszAppName ? lpszAppName : ""; }

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
  // Owned by the active window, as a person would see it.
  return ::MessageBoxA(::GetActiveWindow(), lpszText ? lpszText : "", AfxGetAppName(), nType);
}
