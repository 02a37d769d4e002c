#include "JqzCfgIO2.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

#include "CommonUtilities.h"

namespace {

CString section(int nViewIndex) {
  CString s;
  s.Format("View%d", nViewIndex);
  return s;
}

// Layout names come from the terminal; keep them to one file name.
CString fileNameOf(const CString& strLayout) {
  CString name = strLayout;
  for (int i = 0; i < name.GetLength(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < name.GetLength()) {
      ++i;  // a trail byte may be '\\' or '|': it belongs to its character
      continue;
    }
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|' || c < 0x20)
      name.SetAt(i, '_');
  }
  if (name.IsEmpty()) name = "_";
  return name;
}

}  // namespace

JqzCfgIO2::JqzCfgIO2() : m_strDirectory(s_PathGetSysPath(1)) {}

JqzCfgIO2::JqzCfgIO2(const CString& strDirectory) : m_strDirectory(strDirectory) {}

CString JqzCfgIO2::strGetLayoutFile(const CString& strLayout) const {
  CString path = m_strDirectory;
  if (!path.IsEmpty() && path[path.GetLength() - 1] != '/') path += "/";
  path += fileNameOf(strLayout);
  path += ".ini";
  return path;
}

bool JqzCfgIO2::bEnsureDirectory() const {
  std::error_code ec;
  std::filesystem::create_directories(m_strDirectory.str(), ec);
  return std::filesystem::is_directory(m_strDirectory.str(), ec);
}

bool JqzCfgIO2::SaveViewCommonInfo(const CString& strLayout, int nViewIndex,
                                   const CString& strKey, const std::vector<CString>& values) {
  if (strKey.IsEmpty() || !bEnsureDirectory()) return false;
  const CString file = strGetLayoutFile(strLayout);
  const CString sec = section(nViewIndex);
  // Drop the items of a longer list saved before.
  const int old = static_cast<int>(
      GetPrivateProfileIntA(sec, strKey + ".Count", 0, file));
  for (int i = static_cast<int>(values.size()) + 1; i <= old; ++i) {
    CString key;
    key.Format("%s.%d", strKey.GetString(), i);
    WritePrivateProfileStringA(sec, key, nullptr, file);
  }
  CString count;
  count.Format("%d", static_cast<int>(values.size()));
  if (!WritePrivateProfileStringA(sec, strKey + ".Count", count, file)) return false;
  for (size_t i = 0; i < values.size(); ++i) {
    CString key;
    key.Format("%s.%d", strKey.GetString(), static_cast<int>(i + 1));
    if (!WritePrivateProfileStringA(sec, key, values[i], file)) return false;
  }
  return true;
}

bool JqzCfgIO2::bGetViewCommonInfo(const CString& strLayout, int nViewIndex,
                                   const CString& strKey, std::vector<CString>& values) const {
  values.clear();
  if (strKey.IsEmpty()) return false;
  CString count;
  if (!bGetViewValue(strLayout, nViewIndex, strKey + ".Count", count)) return false;
  const int n = atoi(count);
  if (n < 0 || n > 4096) return false;
  for (int i = 1; i <= n; ++i) {
    CString key, value;
    key.Format("%s.%d", strKey.GetString(), i);
    bGetViewValue(strLayout, nViewIndex, key, value);
    values.push_back(value);
  }
  return true;
}

bool JqzCfgIO2::bSaveViewValue(const CString& strLayout, int nViewIndex, const CString& strKey,
                               const CString& strValue) {
  if (strKey.IsEmpty() || !bEnsureDirectory()) return false;
  return WritePrivateProfileStringA(section(nViewIndex), strKey, strValue,
                                    strGetLayoutFile(strLayout)) != FALSE;
}

bool JqzCfgIO2::bGetViewValue(const CString& strLayout, int nViewIndex, const CString& strKey,
                              CString& strValue) const {
  strValue.Empty();
  if (strKey.IsEmpty()) return false;
  // A sentinel default tells a missing key from an empty value.
  static const char kMissing[] = "\x01";
  char buffer[4096];
  GetPrivateProfileStringA(section(nViewIndex), strKey, kMissing, buffer, sizeof buffer,
                           strGetLayoutFile(strLayout));
  if (CString(buffer) == kMissing) return false;
  strValue = buffer;
  return true;
}

int JqzCfgIO2::iGetViewInt(const CString& strLayout, int nViewIndex, const CString& strKey,
                           int nDefault) const {
  return static_cast<int>(GetPrivateProfileIntA(section(nViewIndex), strKey, nDefault,
                                                strGetLayoutFile(strLayout)));
}

bool JqzCfgIO2::bDeleteView(const CString& strLayout, int nViewIndex) {
  return WritePrivateProfileStringA(section(nViewIndex), nullptr, nullptr,
                                    strGetLayoutFile(strLayout)) != FALSE;
}
