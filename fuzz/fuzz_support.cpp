#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace qzfuzz {

const std::string& ScratchDir() {
  // Never destroyed, so that the exit handler can still read it.
  static const std::string* const dir = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qzfuzz.XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) Fail("cannot make a scratch directory");
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchDir(), ec);
    });
    return new std::string(buffer.data());
  }();
  return *dir;
}

void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) Fail("cannot open the scratch file");
  const bool ok = std::fwrite(data, 1, size, f) == size;
  if (std::fclose(f) != 0 || !ok) Fail("cannot write the scratch file");
}

void Fail(const char* what) {
  std::fprintf(stderr, "invariant failed: %s\n", what);
  std::abort();
}

}  // namespace qzfuzz
