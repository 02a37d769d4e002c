// Code page 950 (the system's ANSI code page) and its conversions, through iconv.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "backend.h"
#include "gdi.h"

namespace {

// Encodings as glibc's iconv names them. Big5 with the Microsoft extensions is CP950.
const char* iconvName(UINT cp) {
  switch (cp) {
    case CP_ACP:
    case 950:
      return "CP950";
    case CP_UTF8:
      return "UTF-8";
    default:
      return nullptr;
  }
}

// One converter per direction and thread, opened on first use: opening one maps the
// encoding's tables, which costs far more than the conversion of a short text.
struct CachedConverter {
  std::string to, from;
  iconv_t cd;
};
struct ConverterCache {
  std::vector<CachedConverter> entries;
  ~ConverterCache();
};
// Set once the thread's cache is gone, for conversions made by later destructors.
thread_local bool tlsCacheGone = false;
ConverterCache::~ConverterCache() {
  for (const CachedConverter& c : entries) iconv_close(c.cd);
  tlsCacheGone = true;
}

// A converter to use and leave open, or (owned) one to close after use.
iconv_t converter(const char* to, const char* from, bool* owned) {
  *owned = tlsCacheGone;
  if (tlsCacheGone) return iconv_open(to, from);
  thread_local ConverterCache cache;
  for (const CachedConverter& c : cache.entries)
    if (c.to == to && c.from == from) return c.cd;
  iconv_t cd = iconv_open(to, from);
  if (cd != reinterpret_cast<iconv_t>(-1)) cache.entries.push_back({to, from, cd});
  return cd;
}

// Converts a whole input; false when a sequence is invalid or the encoding unknown.
bool convert(const char* to, const char* from, const char* in, size_t inLen, std::string* out) {
  bool owned = false;
  iconv_t cd = converter(to, from, &owned);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  // A cached converter may hold the state an earlier failed text left behind.
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out->clear();
  std::vector<char> buf(inLen * 4 + 16);
  char* src = const_cast<char*>(in);
  size_t srcLeft = inLen;
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = buf.data();
    size_t dstLeft = buf.size();
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out->append(buf.data(), dst);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      ok = false;
      break;
    }
  }
  if (owned) iconv_close(cd);
  return ok;
}

}  // namespace

extern "C" {

UINT WINAPI GetACP(void) { return 950; }

BOOL WINAPI IsDBCSLeadByteEx(UINT cp, BYTE c) {
  if (cp == CP_ACP || cp == 950) return c >= 0x81 && c <= 0xFE ? TRUE : FALSE;
  return FALSE;
}

BOOL WINAPI IsDBCSLeadByte(BYTE c) { return IsDBCSLeadByteEx(CP_ACP, c); }

int WINAPI MultiByteToWideChar(UINT cp, DWORD flags, LPCSTR in, int inLen, LPWSTR out, int outLen) {
  const char* from = iconvName(cp);
  if (!from || !in || inLen == 0 || outLen < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = inLen < 0 ? std::strlen(in) + 1 : static_cast<size_t>(inLen);
  std::string wide;
  if (!convert("UTF-16LE", from, in, n, &wide)) {
    if (flags & MB_ERR_INVALID_CHARS) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
  }
  int units = static_cast<int>(wide.size() / 2);
  if (outLen == 0) return units;
  if (!out || units > outLen) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  for (int i = 0; i < units; ++i)
    out[i] = static_cast<WCHAR>(static_cast<unsigned char>(wide[2 * i]) |
                                (static_cast<unsigned char>(wide[2 * i + 1]) << 8));
  return units;
}

int WINAPI WideCharToMultiByte(UINT cp, DWORD, LPCWSTR in, int inLen, LPSTR out, int outLen,
                               LPCSTR, LPBOOL usedDefault) {
  const char* to = iconvName(cp);
  if (!to || !in || inLen == 0 || outLen < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = 0;
  if (inLen < 0) {
    while (in[n]) ++n;
    ++n;
  } else {
    n = static_cast<size_t>(inLen);
  }
  std::string bytes(n * 2, '\0');
  for (size_t i = 0; i < n; ++i) {
    bytes[2 * i] = static_cast<char>(in[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(in[i] >> 8);
  }
  std::string narrow;
  bool ok = convert(to, "UTF-16LE", bytes.data(), bytes.size(), &narrow);
  if (usedDefault) *usedDefault = ok ? FALSE : TRUE;
  int len = static_cast<int>(narrow.size());
  if (outLen == 0) return len;
  if (!out || len > outLen) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(out, narrow.data(), narrow.size());
  return len;
}

LPSTR WINAPI CharNextA(LPCSTR p) {
  if (!p || !*p) return const_cast<LPSTR>(p);
  if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) return const_cast<LPSTR>(p + 2);
  return const_cast<LPSTR>(p + 1);
}

LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR cur) {
  if (!start || !cur || cur <= start) return const_cast<LPSTR>(start);
  LPCSTR p = start;
  LPCSTR prev = start;
  while (p < cur) {
    prev = p;
    p = CharNextA(p);
    if (p == prev) break;
  }
  return const_cast<LPSTR>(prev);
}

int WINAPI lstrlenA(LPCSTR s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

int WINAPI lstrcmpA(LPCSTR a, LPCSTR b) {
  int r = std::strcmp(a ? a : "", b ? b : "");
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b) {
  // Case folds single-byte letters only; a trail byte is compared as it is.
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a ? a : "");
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b ? b : "");
  for (;;) {
    unsigned cx = *x, cy = *y;
    bool dx = IsDBCSLeadByte(static_cast<BYTE>(cx)) && x[1];
    bool dy = IsDBCSLeadByte(static_cast<BYTE>(cy)) && y[1];
    if (dx || dy) {
      unsigned wx = dx ? (cx << 8 | x[1]) : cx, wy = dy ? (cy << 8 | y[1]) : cy;
      if (!dx && cx >= 'A' && cx <= 'Z') wx += 32;
      if (!dy && cy >= 'A' && cy <= 'Z') wy += 32;
      if (wx != wy) return wx < wy ? -1 : 1;
      x += dx ? 2 : 1;
      y += dy ? 2 : 1;
      continue;
    }
    if (cx >= 'A' && cx <= 'Z') cx += 32;
    if (cy >= 'A' && cy <= 'Z') cy += 32;
    if (cx != cy) return cx < cy ? -1 : 1;
    if (!cx) return 0;
    ++x, ++y;
  }
}

LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max) {
  if (!dst || max <= 0) return dst;
  if (!src) src = "";
  int i = 0;
  for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = '\0';
  return dst;
}

}  // extern "C"

namespace headless::detail {

// For drawing: text that is not valid CP950 still shows, one U+FFFD for each
// byte that starts no character, as Windows shows a default glyph.
std::string Cp950ToUtf8(std::string_view in) {
  bool ascii = true;
  for (char c : in) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(in);
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  bool owned = false;
  iconv_t cd = converter("UTF-8", "CP950", &owned);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buf[256];
  while (srcLeft > 0) {
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, dst);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out += "\xEF\xBF\xBD";
      ++src;
      --srcLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  if (owned) iconv_close(cd);
  return out;
}

}  // namespace headless::detail
