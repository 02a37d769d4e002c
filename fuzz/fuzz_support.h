// What the fuzz targets share: the entry point's declaration, and a scratch directory
// for the parsers that only read files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace qzfuzz {

// A directory of this process, made on first use and removed at a normal exit (libFuzzer
// ends with _exit, so its runs leave theirs to the system's cleaner).
const std::string& ScratchDir();

// Replaces the file's contents; aborts when it cannot, since a fuzz run that silently
// reads an old file tests nothing.
void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size);

// Stops the run as a crash, with the reason on stderr, when an invariant fails.
[[noreturn]] void Fail(const char* what);

}  // namespace qzfuzz
