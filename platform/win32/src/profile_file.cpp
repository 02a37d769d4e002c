// Profile (.ini) files. Every call reads the file afresh and a write edits only the lines it
// must, so other programs' edits are never lost or shadowed by a stale copy. Files are CP950
// bytes; names are compared without case, never folding a trail byte.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool isLead(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

// A lead byte pairs only with a byte that can follow it; before any other byte (a tab, a
// NUL) it stands alone and the next byte is read on its own, as the trimming reads it.
bool isTrail(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
}

// Whether s[i] starts a double-byte character.
bool pairAt(std::string_view s, size_t i) {
  return isLead(s[i]) && i + 1 < s.size() && isTrail(s[i + 1]);
}

// A new header for a name whose last byte is an unpaired lead byte would have its closing ']'
// read as that byte's trail, and the section would not read back; such a name is refused.
bool endsInLoneLead(std::string_view s) {
  size_t i = 0;
  while (i + 1 < s.size()) i += pairAt(s, i) ? 2 : 1;
  return i + 1 == s.size() && isLead(s.back());
}

// Whitespace as the profile reader sees it; ^Z ends old DOS files. None of these is a trail
// byte, so trimming from either end never cuts a character.
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Longest prefix of s no longer than n bytes that does not end inside a double-byte character.
size_t wholeChars(std::string_view s, size_t n) {
  size_t i = 0;
  while (i < n) {
    size_t step = isLead(s[i]) && i + 1 < s.size() ? 2 : 1;
    if (i + step > n) break;
    i += step;
  }
  return i;
}

struct Line {
  enum class Kind { kOther, kSection, kEntry };  // kOther: blank or comment
  std::string text;                              // without its line end
  std::string eol;  // "\r\n", "\n", "\r", or "" on an unterminated last line
  Kind kind = Kind::kOther;
  std::string name;       // section or key, trimmed
  std::string value;      // trimmed
  bool hasValue = false;  // a key line with '='; one without is a key that has no value
};

void classify(Line& line) {
  std::string_view t = trim(line.text);
  if (t.empty() || t.front() == ';') return;
  if (t.front() == '[') {
    // The last ']' that is a character of its own (0x5D can be a trail byte).
    size_t close = std::string_view::npos;
    for (size_t i = 1; i < t.size(); ++i) {
      if (pairAt(t, i))
        ++i;
      else if (t[i] == ']')
        close = i;
    }
    if (close != std::string_view::npos) {
      line.kind = Line::Kind::kSection;
      line.name = trim(t.substr(1, close - 1));
      return;
    }
  }
  line.kind = Line::Kind::kEntry;
  size_t eq = t.find('=');  // 0x3D is never a trail byte
  if (eq == std::string_view::npos) {
    line.name = t;
    return;
  }
  line.name = trim(t.substr(0, eq));
  line.value = trim(t.substr(eq + 1));
  line.hasValue = true;
}

// Lines end with CR LF, LF or a lone CR; none of them can be a trail byte.
std::vector<Line> parse(const std::string& bytes) {
  std::vector<Line> lines;
  size_t i = 0;
  while (i < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", i);
    Line line;
    if (end == std::string::npos) {
      line.text = bytes.substr(i);
      i = bytes.size();
    } else {
      line.text = bytes.substr(i, end - i);
      size_t eolLen =
          bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
      line.eol = bytes.substr(end, eolLen);
      i = end + eolLen;
    }
    classify(line);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string serialize(const std::vector<Line>& lines) {
  std::string out;
  for (const Line& l : lines) out += l.text + l.eol;
  return out;
}

// Hosts pass Windows paths; a backslash that is the trail byte of a character stays as it is.
std::string hostPath(LPCSTR name) {
  std::string p(name);
  for (size_t i = 0; i < p.size(); ++i) {
    if (isLead(p[i]) && i + 1 < p.size())
      ++i;
    else if (p[i] == '\\')
      p[i] = '/';
  }
  return p;
}

enum class Read { kOk, kMissing, kFailed };

Read readFile(const std::string& path, std::string* out) {
  out->clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return errno == ENOENT ? Read::kMissing : Read::kFailed;
  char buf[8192];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out->append(buf, n);
  bool failed = std::ferror(f) != 0;  // e.g. the path is a directory
  std::fclose(f);
  if (failed) out->clear();
  return failed ? Read::kFailed : Read::kOk;
}

DWORD errorOf(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    SetLastError(errorOf(errno));
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) SetLastError(ERROR_ACCESS_DENIED);
  return ok;
}

// Reads treat an unreadable file as an empty one: the caller gets its defaults.
std::vector<Line> load(LPCSTR fileName) {
  std::string bytes;
  if (fileName && *fileName) readFile(hostPath(fileName), &bytes);
  return parse(bytes);
}

constexpr size_t kNone = static_cast<size_t>(-1);
// The lines before the first header: a section without a name, found by "".
constexpr size_t kPreamble = static_cast<size_t>(-2);

// The first section of that name wins, as in Win32; for "" that is the preamble.
size_t findSection(const std::vector<Line>& lines, const std::string& name) {
  if (name.empty()) return kPreamble;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].kind == Line::Kind::kSection && sameName(lines[i].name, name)) return i;
  return kNone;
}

// The first line of a section's body.
size_t sectionBody(size_t header) { return header == kPreamble ? 0 : header + 1; }

size_t sectionEnd(const std::vector<Line>& lines, size_t header) {
  size_t i = sectionBody(header);
  while (i < lines.size() && lines[i].kind != Line::Kind::kSection) ++i;
  return i;
}

size_t findKey(const std::vector<Line>& lines, size_t header, const std::string& key) {
  for (size_t i = sectionBody(header), end = sectionEnd(lines, header); i < end; ++i)
    if (lines[i].kind == Line::Kind::kEntry && sameName(lines[i].name, key)) return i;
  return kNone;
}

// One pair of matching quotes around a value is not part of it.
std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

DWORD copyString(std::string_view s, LPSTR buf, DWORD size) {
  if (size == 0) return 0;
  size_t n = wholeChars(s, std::min<size_t>(s.size(), size - 1));
  std::memcpy(buf, s.data(), n);
  buf[n] = '\0';
  return static_cast<DWORD>(n);
}

// A double-NUL-terminated list. When it does not fit, the last string is cut, followed by two
// NULs, and the result is size - 2, as in Win32 (even when only the final NUL is missing).
DWORD copyList(const std::vector<std::string_view>& items, LPSTR buf, DWORD size) {
  if (size == 0) return 0;
  if (size == 1) {
    buf[0] = '\0';
    return 0;
  }
  size_t room = size - 1;  // keeps one byte for the final NUL
  LPSTR p = buf;
  for (std::string_view item : items) {
    if (item.size() + 1 >= room) {
      size_t n = wholeChars(item, room - 1);
      std::memcpy(p, item.data(), n);
      p[n] = '\0';
      p[n + 1] = '\0';
      return size - 2;
    }
    std::memcpy(p, item.data(), item.size());
    p += item.size();
    *p++ = '\0';
    room -= item.size() + 1;
  }
  *p = '\0';
  return static_cast<DWORD>(p - buf);
}

// RtlUnicodeStringToInteger with base 0, which Win32 uses: leading blanks, one sign, "0x",
// "0o" or "0b" (lower case) select the base, digits run to the first one that does not fit it,
// and the value wraps modulo 2^32. "010" is ten.
UINT parseInteger(const char* s) {
  while (*s && static_cast<unsigned char>(*s) <= ' ') ++s;
  bool minus = false;
  if (*s == '+' || *s == '-') minus = *s++ == '-';
  UINT base = 10;
  if (s[0] == '0' && (s[1] == 'x' || s[1] == 'o' || s[1] == 'b')) {
    base = s[1] == 'x' ? 16 : s[1] == 'o' ? 8 : 2;
    s += 2;
  }
  UINT total = 0;
  for (;; ++s) {
    char c = *s;
    UINT digit = c >= '0' && c <= '9'   ? UINT(c - '0')
                 : c >= 'a' && c <= 'z' ? UINT(c - 'a' + 10)
                 : c >= 'A' && c <= 'Z' ? UINT(c - 'A' + 10)
                                        : 99;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return minus ? 0u - total : total;
}

std::mutex& fileLock() {
  static std::mutex m;
  return m;
}

}  // namespace

extern "C" {

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (!lpReturnedString) return 0;
  // The default loses trailing blanks (spaces only) and, like a value, one pair of quotes.
  std::string_view def = lpDefault ? lpDefault : "";
  while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
  def = unquote(def);

  std::lock_guard<std::mutex> hold(fileLock());
  const std::vector<Line> lines = load(lpFileName);
  if (!lpAppName) {
    std::vector<std::string_view> names;
    for (const Line& l : lines)
      if (l.kind == Line::Kind::kSection && !l.name.empty()) names.push_back(l.name);
    return copyList(names, lpReturnedString, nSize);
  }
  size_t header = findSection(lines, std::string(trim(lpAppName)));
  if (!lpKeyName) {
    std::vector<std::string_view> keys;
    if (header != kNone)
      // Every key with '=', even one without a name, as Win32 lists them.
      for (size_t i = sectionBody(header), end = sectionEnd(lines, header); i < end; ++i)
        if (lines[i].kind == Line::Kind::kEntry && lines[i].hasValue) keys.push_back(lines[i].name);
    if (keys.empty()) return copyString(def, lpReturnedString, nSize);
    return copyList(keys, lpReturnedString, nSize);
  }
  size_t key = header == kNone ? kNone : findKey(lines, header, std::string(trim(lpKeyName)));
  if (key == kNone || !lines[key].hasValue) return copyString(def, lpReturnedString, nSize);
  return copyString(unquote(lines[key].value), lpReturnedString, nSize);
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault,
                                  LPCSTR lpFileName) {
  // Through the string form, as Win32 does: quotes go, and an empty value is the default.
  char text[30];
  if (GetPrivateProfileStringA(lpAppName, lpKeyName, "", text, sizeof text, lpFileName) == 0)
    return static_cast<UINT>(nDefault);
  return parseInteger(text);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
  if (!lpAppName && !lpKeyName && !lpString) return TRUE;  // a flush; nothing is held back
  if (!lpFileName || !*lpFileName) {
    // No Windows directory here to hold a default file.
    SetLastError(lpFileName ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!lpAppName) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  std::lock_guard<std::mutex> hold(fileLock());
  const std::string path = hostPath(lpFileName);
  std::string bytes;
  if (readFile(path, &bytes) == Read::kFailed) {
    SetLastError(ERROR_ACCESS_DENIED);  // never replace a file we could not read
    return FALSE;
  }
  std::vector<Line> lines = parse(bytes);
  const std::string section(trim(lpAppName));
  size_t header = findSection(lines, section);

  if (!lpKeyName || !lpString) {  // deletions; deleting what is not there succeeds
    if (header == kNone) return TRUE;
    if (!lpKeyName) {
      const size_t from = header == kPreamble ? 0 : header;
      lines.erase(lines.begin() + from, lines.begin() + sectionEnd(lines, header));
    } else {
      size_t key = findKey(lines, header, std::string(trim(lpKeyName)));
      if (key == kNone) return TRUE;
      lines.erase(lines.begin() + key);
    }
    return writeFile(path, serialize(lines)) ? TRUE : FALSE;
  }

  const std::string key(trim(lpKeyName));
  std::string_view value = lpString;
  while (!value.empty() && isSpace(value.front())) value.remove_prefix(1);

  Line entry;
  entry.eol = "\r\n";
  auto terminate = [&lines](size_t i) {
    if (lines[i].eol.empty()) lines[i].eol = "\r\n";
  };
  if (header == kNone) {
    if (endsInLoneLead(section)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    if (!lines.empty()) terminate(lines.size() - 1);
    Line head;
    head.text = "[" + section + "]";
    head.eol = "\r\n";
    lines.push_back(std::move(head));
    entry.text = key + "=" + std::string(value);
    lines.push_back(std::move(entry));
  } else if (size_t at = findKey(lines, header, key); at != kNone) {
    std::string text = lines[at].name + "=" + std::string(value);
    if (lines[at].text == text) return TRUE;
    lines[at].text = std::move(text);
  } else {
    // After the section's last key, so comments and blank lines before the next header stay.
    size_t pos = sectionBody(header);
    for (size_t i = pos, end = sectionEnd(lines, header); i < end; ++i)
      if (lines[i].kind == Line::Kind::kEntry) pos = i + 1;
    if (pos > 0) terminate(pos - 1);
    entry.text = key + "=" + std::string(value);
    lines.insert(lines.begin() + pos, std::move(entry));
  }
  return writeFile(path, serialize(lines)) ? TRUE : FALSE;
}

}  // extern "C"
