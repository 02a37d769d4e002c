// How the host aligns an item's column: numbers right, names left, codes, dates and
// actions centred.
#pragma once

#include <string_view>

namespace host {

// 'L', 'C' or 'R' for an item key.
char ItemAlignment(std::string_view key);

}  // namespace host
