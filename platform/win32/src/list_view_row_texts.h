// The texts of one list view row, by sub-item, packed into one buffer: a report
// list of 10,000 rows and 41 columns keeps a few hundred bytes per row instead of
// one string object per cell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace headless::detail::lv {

class RowTexts {
 public:
  // The text of a sub-item; empty past the last one set. The view is followed by a
  // NUL, so data() can go where a C string is wanted. Valid until the next change.
  std::string_view Get(size_t subItem) const;
  // Sub-items before it that were never set become empty texts. False, with nothing
  // changed, when the row would pass 4 GiB of text.
  bool Set(size_t subItem, std::string_view text, size_t columns);
  // A column inserted or deleted at index moves the later texts with it.
  void InsertEmpty(size_t index);
  void Erase(size_t index);

 private:
  size_t start(size_t subItem) const { return subItem == 0 ? 0 : ends_[subItem - 1] + 1; }

  std::string packed_;              // every text followed by its NUL
  std::vector<std::uint32_t> ends_;  // where each text's NUL is in packed_
};

}  // namespace headless::detail::lv
