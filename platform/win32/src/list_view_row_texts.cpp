#include "list_view_row_texts.h"

#include <algorithm>
#include <limits>

namespace headless::detail::lv {

namespace {
// Room reserved per cell when a row is first written: enough for a count or a price, so a
// row of a grid is rarely copied while it fills (growing by doubling overshoots more).
constexpr size_t kBytesPerCell = 12;
constexpr size_t kMostBytes = std::numeric_limits<std::uint32_t>::max();
}  // namespace

std::string_view RowTexts::Get(size_t subItem) const {
  if (subItem >= ends_.size()) return std::string_view("", 0);
  const size_t from = start(subItem);
  return std::string_view(packed_.data() + from, ends_[subItem] - from);
}

bool RowTexts::Set(size_t subItem, std::string_view text, size_t columns) {
  const bool adding = subItem >= ends_.size();
  const size_t now = adding ? 0 : ends_[subItem] - start(subItem);
  const size_t terminators = adding ? subItem - ends_.size() + 1 : 0;
  if (packed_.size() - now + text.size() + terminators >= kMostBytes) return false;
  if (ends_.empty()) {
    // Rows are usually filled left to right: room for every column at once.
    const size_t cells = std::max(subItem + 1, columns);
    ends_.reserve(cells);
    packed_.reserve(cells * kBytesPerCell + text.size());
  }
  while (ends_.size() < subItem) {
    packed_.push_back('\0');
    ends_.push_back(static_cast<std::uint32_t>(packed_.size() - 1));
  }
  if (subItem == ends_.size()) {
    packed_.append(text);
    packed_.push_back('\0');
    ends_.push_back(static_cast<std::uint32_t>(packed_.size() - 1));
    return true;
  }
  packed_.replace(start(subItem), now, text);
  const auto delta = static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(now);
  if (delta != 0)
    for (size_t i = subItem; i < ends_.size(); ++i)
      ends_[i] = static_cast<std::uint32_t>(static_cast<std::int64_t>(ends_[i]) + delta);
  return true;
}

void RowTexts::InsertEmpty(size_t index) {
  if (index >= ends_.size()) return;
  const size_t at = start(index);
  packed_.insert(at, 1, '\0');
  ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(index), static_cast<std::uint32_t>(at));
  for (size_t i = index + 1; i < ends_.size(); ++i) ++ends_[i];
}

void RowTexts::Erase(size_t index) {
  if (index >= ends_.size()) return;
  const size_t from = start(index);
  const size_t gone = ends_[index] - from + 1;
  packed_.erase(from, gone);
  ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(index));
  for (size_t i = index; i < ends_.size(); ++i) ends_[i] -= static_cast<std::uint32_t>(gone);
}

}  // namespace headless::detail::lv
