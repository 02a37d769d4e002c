// The host's language table over arbitrary bytes: every line is either defined or
// reported, and every key the table lists gives back a text.
#include <string_view>

#include "fuzz_support.h"
#include "host/language_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  host::LanguageTable table([](std::string_view) {});
  const auto result =
      table.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.lang");
  (void)result.Describe();
  if (result.entries != table.size()) qzfuzz::Fail("entry count differs from the table's size");
  for (const std::string& key : table.Keys()) {
    if (!table.Contains(key)) qzfuzz::Fail("a listed key is not contained");
    (void)table.Text(key);
  }
  (void)table.Text("IDS_NOT_DEFINED_ANYWHERE");
  return 0;
}
