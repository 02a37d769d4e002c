// Replays files through a fuzz target's entry point without libFuzzer, so that the
// normal test suite keeps every input that once crashed (and the seed corpus) passing.
// Arguments are files or directories; a missing directory holds nothing yet.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg(argv[i]);
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
      for (const auto& entry : fs::recursive_directory_iterator(arg))
        if (entry.is_regular_file() && entry.path().filename() != "README.md")
          files.push_back(entry.path());
    } else if (fs::is_regular_file(arg, ec)) {
      files.push_back(arg);
    } else if (fs::exists(arg, ec)) {
      std::fprintf(stderr, "%s: not a file or directory\n", argv[i]);
      return 2;
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    if (in.bad()) {
      std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
      return 2;
    }
    // A copy of exactly its size, so that ASan sees a read past the end.
    std::vector<uint8_t> input(bytes.begin(), bytes.end());
    std::fprintf(stderr, "%s\n", file.c_str());
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("%zu inputs replayed\n", files.size());
  return 0;
}
