#include "JqzCfgIO2.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string>
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

// The key names of the section, read in one go (a growing buffer, as a list that does
// not fit comes back cut).
std::vector<std::string> keysOf(const CString& strSection, const CString& strFile) {
  std::vector<char> buffer(4096);
  for (;;) {
    const DWORD n = GetPrivateProfileStringA(strSection, nullptr, "", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), strFile);
    if (n + 2 < buffer.size() || buffer.size() >= (64u << 20)) break;
    buffer.resize(buffer.size() * 4);
  }
  std::vector<std::string> keys;
  for (const char* p = buffer.data(); *p; p += keys.back().size() + 1) keys.emplace_back(p);
  return keys;
}

// The index n of a key "<list>.<n>" (n from 1), else 0. Key names compare without case,
// as the profile functions do.
int listIndexOf(const std::string& key, const CString& strList) {
  const size_t prefix = static_cast<size_t>(strList.GetLength()) + 1;
  if (key.size() <= prefix || key[prefix - 1] != '.' ||
      lstrcmpiA(key.substr(0, prefix - 1).c_str(), strList) != 0)
    return 0;
  int n = 0;
  const char* first = key.data() + prefix;
  const char* last = key.data() + key.size();
  const auto [end, ec] = std::from_chars(first, last, n);
  return ec == std::errc() && end == last && n > 0 && *first != '0' ? n : 0;
}

// A profile line cannot keep blanks around its value, byte by byte as the reader trims them;
// a value read with them (a line cut short by a NUL) is given as it would read once saved.
CString asSaved(const CString& strValue) {
  std::string text = strValue.str();
  const char* const blanks = " \t\n\v\f\r\x1a";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return CString();
  return CString(text.substr(first, text.find_last_not_of(blanks) - first + 1).c_str());
}

// A whole decimal number, blanks around it allowed; nothing else is one.
bool parseInt(const CString& strText, int& n) {
  std::string text = strText.str();
  const size_t from = text.find_first_not_of(" \t");
  const size_t to = text.find_last_not_of(" \t");
  if (from == std::string::npos) return false;
  text = text.substr(from, to - from + 1);
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, n);
  return ec == std::errc() && end == last && first != last;
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

bool JqzCfgIO2::bWritten(BOOL bResult, const CString& strFile) {
  if (!bResult) m_unwritten.insert(strFile.str());
  return bResult != FALSE;
}

bool JqzCfgIO2::bEnsureDirectory() const {
  std::error_code ec;
  std::filesystem::create_directories(m_strDirectory.str(), ec);
  return std::filesystem::is_directory(m_strDirectory.str(), ec);
}

bool JqzCfgIO2::SaveViewCommonInfo(const CString& strLayout, int nViewIndex,
                                   const CString& strKey, const std::vector<CString>& values) {
  if (strKey.IsEmpty()) return false;
  const CString file = strGetLayoutFile(strLayout);
  if (!bEnsureDirectory()) return bWritten(FALSE, file);
  const CString sec = section(nViewIndex);
  // Drop the items of a longer list saved before: those the file holds, whatever its
  // count says.
  for (const std::string& key : keysOf(sec, file)) {
    if (listIndexOf(key, strKey) > static_cast<int>(values.size()) &&
        !bWritten(WritePrivateProfileStringA(sec, key.c_str(), nullptr, file), file))
      return false;
  }
  CString count;
  count.Format("%d", static_cast<int>(values.size()));
  if (!bWritten(WritePrivateProfileStringA(sec, strKey + ".Count", count, file), file))
    return false;
  for (size_t i = 0; i < values.size(); ++i) {
    CString key;
    key.Format("%s.%d", strKey.GetString(), static_cast<int>(i + 1));
    if (!bWritten(WritePrivateProfileStringA(sec, key, values[i], file), file)) return false;
  }
  return true;
}

bool JqzCfgIO2::bGetViewCommonInfo(const CString& strLayout, int nViewIndex,
                                   const CString& strKey, std::vector<CString>& values) const {
  values.clear();
  if (strKey.IsEmpty()) return false;
  CString count;
  int n = 0;
  if (!bGetViewValue(strLayout, nViewIndex, strKey + ".Count", count) || !parseInt(count, n) ||
      n < 0)
    return false;
  // A count beyond the items the file holds is damage; the list ends with its last item.
  int last = 0;
  for (const std::string& key : keysOf(section(nViewIndex), strGetLayoutFile(strLayout))) {
    const int index = listIndexOf(key, strKey);
    if (index <= n) last = std::max(last, index);
  }
  for (int i = 1; i <= last; ++i) {
    CString key, value;
    key.Format("%s.%d", strKey.GetString(), i);
    bGetViewValue(strLayout, nViewIndex, key, value);
    values.push_back(asSaved(value));
  }
  return true;
}

bool JqzCfgIO2::bSaveViewValue(const CString& strLayout, int nViewIndex, const CString& strKey,
                               const CString& strValue) {
  if (strKey.IsEmpty()) return false;
  const CString file = strGetLayoutFile(strLayout);
  if (!bEnsureDirectory()) return bWritten(FALSE, file);
  return bWritten(WritePrivateProfileStringA(section(nViewIndex), strKey, strValue, file), file);
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
  // A damaged value ("abc", "12x", out of range) is the default, not 0 or a part of it.
  CString text;
  int n = 0;
  if (!bGetViewValue(strLayout, nViewIndex, strKey, text) || !parseInt(text, n)) return nDefault;
  return n;
}

bool JqzCfgIO2::bDeleteView(const CString& strLayout, int nViewIndex) {
  const CString file = strGetLayoutFile(strLayout);
  return bWritten(WritePrivateProfileStringA(section(nViewIndex), nullptr, nullptr, file), file);
}
