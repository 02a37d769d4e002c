// Profile files over arbitrary bytes: every section, key and value is read back through
// the public calls, with buffers from one byte up; then a write must read back as written.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

// The NUL-separated list a null section or key name returns.
std::vector<std::string> list(LPCSTR section, const std::string& file) {
  std::vector<char> buffer(64 * 1024);
  const DWORD n = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
  if (n >= buffer.size()) qzfuzz::Fail("list length past its buffer");
  std::vector<std::string> names;
  for (const char* p = buffer.data(); *p && p < buffer.data() + n; p += std::strlen(p) + 1)
    names.emplace_back(p);
  return names;
}

void readSmall(LPCSTR section, LPCSTR key, const std::string& file) {
  for (DWORD size : {1u, 2u, 3u, 7u}) {
    std::vector<char> buffer(size + 1, '\x7f');
    const DWORD n =
        GetPrivateProfileStringA(section, key, "default", buffer.data(), size, file.c_str());
    if (n >= size && size > 0) qzfuzz::Fail("copied length not below the buffer size");
    if (buffer[size] != '\x7f') qzfuzz::Fail("wrote past the buffer");
  }
}

std::string value(LPCSTR section, LPCSTR key, const std::string& file) {
  char buffer[4096];
  GetPrivateProfileStringA(section, key, "\x01", buffer, sizeof buffer, file.c_str());
  return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = qzfuzz::ScratchDir() + "/fuzz.ini";
  qzfuzz::WriteWholeFile(file, data, size);

  readSmall(nullptr, nullptr, file);
  const std::vector<std::string> sections = list(nullptr, file);
  for (size_t s = 0; s < sections.size() && s < 8; ++s) {
    const char* section = sections[s].c_str();
    readSmall(section, nullptr, file);
    const std::vector<std::string> keys = list(section, file);
    for (size_t k = 0; k < keys.size() && k < 8; ++k) {
      (void)value(section, keys[k].c_str(), file);
      readSmall(section, keys[k].c_str(), file);
      (void)GetPrivateProfileIntA(section, keys[k].c_str(), -1, file.c_str());
    }
  }

  // A write lands whatever the file held before, and removes as asked. A listed name may be
  // cut at a NUL inside a character; a new header for it is refused, cleanly, and never
  // written unreadable.
  std::string section = sections.empty() ? "Fuzz" : sections.front();
  if (!WritePrivateProfileStringA(section.c_str(), "FuzzKey", "written value", file.c_str())) {
    if (section == "Fuzz" || GetLastError() != ERROR_INVALID_PARAMETER)
      qzfuzz::Fail("write refused");
    if (value(section.c_str(), "FuzzKey", file) != "\x01") qzfuzz::Fail("refused write read");
    section = "Fuzz";
    if (!WritePrivateProfileStringA(section.c_str(), "FuzzKey", "written value", file.c_str()))
      qzfuzz::Fail("write refused");
  }
  if (value(section.c_str(), "FuzzKey", file) != "written value")
    qzfuzz::Fail("write not read back");
  if (GetPrivateProfileIntA(section.c_str(), "FuzzKey", 7, file.c_str()) != 0)
    qzfuzz::Fail("a text read back as a number");
  WritePrivateProfileStringA(section.c_str(), "FuzzKey", nullptr, file.c_str());
  if (value(section.c_str(), "FuzzKey", file) != "\x01") qzfuzz::Fail("deleted key still read");
  WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str());
  return 0;
}
