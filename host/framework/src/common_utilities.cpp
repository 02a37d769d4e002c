#include "CommonUtilities.h"

#include "host/environment.h"

CString s_LangGetLangString(const CString& strKey) {
  return CString(host::Language().Text(strKey.str()));
}

CString s_PathGetSysPath(int nKind) {
  switch (nKind) {
    case 1:
      return CString(host::HomePath("Layouts"));
    case 2:
      return CString(host::HomePath("Export"));
    default: {
      std::string home = host::HomeDirectory();
      while (home.size() > 1 && home.back() == '/') home.pop_back();
      return CString(home);
    }
  }
}

CString s_GetAsString(const R7Format& value) { return value.strGetText(); }
