#include "host/cp950_text.h"

#include <windows.h>

#include <climits>
#include <vector>

namespace host {

namespace {

constexpr UINT kCp950 = 950;

// Decodes bytes of code page cp into UTF-16; false when a sequence is invalid.
bool Widen(UINT cp, std::string_view in, std::vector<WCHAR>* out) {
  out->clear();
  if (in.empty()) return true;
  if (in.size() > INT_MAX) return false;
  int len = static_cast<int>(in.size());
  int n = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, in.data(), len, nullptr, 0);
  if (n <= 0) return false;
  out->resize(static_cast<size_t>(n));
  return MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, in.data(), len, out->data(), n) == n;
}

// Encodes UTF-16 into code page cp; false when a character has no encoding there.
bool Narrow(UINT cp, const WCHAR* in, int len, std::string* out) {
  out->clear();
  if (len == 0) return true;
  // UTF-8 takes neither the flag nor the default-character report, and every
  // character has a UTF-8 form.
  const bool utf8 = cp == CP_UTF8;
  BOOL usedDefault = FALSE;
  DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  LPBOOL report = utf8 ? nullptr : &usedDefault;
  int n = WideCharToMultiByte(cp, flags, in, len, nullptr, 0, nullptr, report);
  if (n <= 0 || usedDefault) return false;
  out->resize(static_cast<size_t>(n));
  n = WideCharToMultiByte(cp, flags, in, len, out->data(), n, nullptr, report);
  return n == static_cast<int>(out->size()) && !usedDefault;
}

// The first character of wide that cp cannot hold, by trying one at a time.
char32_t FirstUnmappable(UINT cp, const std::vector<WCHAR>& wide) {
  std::string scratch;
  for (size_t i = 0; i < wide.size();) {
    char32_t c = wide[i];
    int units = 1;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      units = 2;
    }
    if (!Narrow(cp, wide.data() + i, units, &scratch)) return c;
    i += static_cast<size_t>(units);
  }
  return 0;
}

ConvertedText Convert(UINT from, UINT to, std::string_view in) {
  ConvertedText result;
  std::vector<WCHAR> wide;
  if (!Widen(from, in, &wide)) {
    result.error = TextError::kInvalidInput;
    return result;
  }
  if (!Narrow(to, wide.data(), static_cast<int>(wide.size()), &result.text)) {
    result.text.clear();
    result.error = TextError::kUnmappable;
    result.badChar = FirstUnmappable(to, wide);
  }
  return result;
}

}  // namespace

ConvertedText Utf8ToCp950(std::string_view utf8) { return Convert(CP_UTF8, kCp950, utf8); }

ConvertedText Cp950ToUtf8(std::string_view cp950) { return Convert(kCp950, CP_UTF8, cp950); }

std::string Cp950ToUtf8ForFile(std::string_view cp950) {
  ConvertedText converted = Cp950ToUtf8(cp950);
  if (converted.ok()) return converted.text;
  std::string out(cp950);
  for (char& c : out)
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  return out;
}

}  // namespace host
