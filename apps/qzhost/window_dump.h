// A window and its children as JSON (texts in UTF-8): what dumps hold and what expect
// steps compare.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace qzhost {

nlohmann::json DumpWindow(HWND hwnd, HWND relativeTo);
// The first window with the id among the descendants of root, depth first; null if none.
HWND FindControl(HWND root, int id);
std::string WindowClass(HWND hwnd);
std::string WindowTextUtf8(HWND hwnd);
// "normal", "minimized", "maximized" or "hidden".
std::string FrameState(HWND frame);

struct ListContent {
  std::vector<std::string> columns;  // titles
  std::vector<std::vector<std::string>> rows;
};
ListContent ReadList(HWND list);

}  // namespace qzhost
