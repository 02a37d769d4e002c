// Pictures of windows for hosts and tests: what a screen would show of a window
// and its visible children, as pixels or as a PNG file. The module never uses this.
#pragma once

#include <windows.h>

#include <vector>

namespace headless {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row by row, top row first
  bool empty() const { return pixels.empty(); }
  COLORREF At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height
               ? pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]
               : CLR_INVALID;
  }
};

// Paints the window's top-level window with all its visible children (frames,
// WM_ERASEBKGND, WM_PAINT, WM_CTLCOLOR*) and gives the part the window covers.
// Empty for a handle that is not a window.
Image RenderWindow(HWND hwnd);
bool RenderWindowToPng(HWND hwnd, const char* path);
bool SavePng(const Image& image, const char* path);
// Empty when the file cannot be read as a PNG.
Image LoadPng(const char* path);

}  // namespace headless
