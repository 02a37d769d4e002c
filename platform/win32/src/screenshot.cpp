// Pictures of windows: frames and scroll bars drawn here, client areas painted by
// the windows themselves, children over their parents, into the top-level
// window's surface; then the window's part of it as pixels or a PNG.
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "backend.h"
#include "gdi.h"
#include "headless/screenshot.h"

using namespace headless::detail;

namespace {

void fill(HDC hdc, RECT r, int sysColor) { FillRect(hdc, &r, GetSysColorBrush(sysColor)); }

void arrow(HDC hdc, const RECT& r, int dir) {  // 0 up, 1 down, 2 left, 3 right
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ old = SelectObject(hdc, pen);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  for (int i = 0; i < 4; ++i) {
    switch (dir) {
      case 0: MoveToEx(hdc, cx - i, cy - 2 + i, nullptr), LineTo(hdc, cx + i + 1, cy - 2 + i); break;
      case 1: MoveToEx(hdc, cx - 3 + i, cy - 1 + i, nullptr), LineTo(hdc, cx + 4 - i, cy - 1 + i); break;
      case 2: MoveToEx(hdc, cx - 2 + i, cy - i, nullptr), LineTo(hdc, cx - 2 + i, cy + i + 1); break;
      default: MoveToEx(hdc, cx - 1 + i, cy - 3 + i, nullptr), LineTo(hdc, cx - 1 + i, cy + 4 - i); break;
    }
  }
  SelectObject(hdc, old);
  DeleteObject(pen);
}

void button(HDC hdc, RECT r) {
  fill(hdc, r, COLOR_BTNFACE);
  DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
}

// One scroll bar: arrows at both ends, the thumb where the position puts it.
void scrollBar(HWND hwnd, HDC hdc, RECT r, bool vertical) {
  fill(hdc, r, COLOR_SCROLLBAR);
  int arrowSize = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
  int length = vertical ? r.bottom - r.top : r.right - r.left;
  arrowSize = std::min(arrowSize, length / 2);
  RECT first = r, second = r;
  if (vertical)
    first.bottom = r.top + arrowSize, second.top = r.bottom - arrowSize;
  else
    first.right = r.left + arrowSize, second.left = r.right - arrowSize;
  button(hdc, first);
  button(hdc, second);
  arrow(hdc, first, vertical ? 0 : 2);
  arrow(hdc, second, vertical ? 1 : 3);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(hwnd, vertical ? SB_VERT : SB_HORZ, &si)) return;
  long span = static_cast<long>(si.nMax) - si.nMin + 1;
  int track = length - 2 * arrowSize;
  if (span <= 0 || si.nPage >= static_cast<UINT>(span) || track < 8) return;
  int thumb = std::max(8, static_cast<int>(track * static_cast<long>(si.nPage ? si.nPage : 1) / span));
  thumb = std::min(thumb, track);
  long range = span - static_cast<long>(si.nPage ? si.nPage : 1);
  int offset = range > 0 ? static_cast<int>((track - thumb) * static_cast<long>(si.nPos - si.nMin) / range) : 0;
  offset = std::clamp(offset, 0, track - thumb);
  RECT t = r;
  if (vertical)
    t.top = r.top + arrowSize + offset, t.bottom = t.top + thumb;
  else
    t.left = r.left + arrowSize + offset, t.right = t.left + thumb;
  button(hdc, t);
}

// The non-client area: frame, caption, client edge and scroll bars.
void paintFrame(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  HDC hdc = GetWindowDC(hwnd);
  if (!hdc) return;
  DWORD style = w->style, ex = w->exStyle;
  RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  RECT client = w->client;
  bool caption = (style & WS_CAPTION) == WS_CAPTION;
  bool thick = (style & WS_THICKFRAME) || (style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME);
  if (caption || thick) {
    // Everything outside the client area is frame face first.
    RECT parts[4] = {{r.left, r.top, r.right, client.top},
                     {r.left, client.bottom, r.right, r.bottom},
                     {r.left, client.top, client.left, client.bottom},
                     {client.right, client.top, r.right, client.bottom}};
    for (RECT& p : parts) fill(hdc, p, COLOR_BTNFACE);
    RECT e = r;
    DrawEdge(hdc, &e, EDGE_RAISED, BF_RECT);
  } else if (style & WS_BORDER) {
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  if (caption) {
    int edge = GetSystemMetrics(SM_CXDLGFRAME);
    RECT bar{edge, edge, r.right - edge, edge + GetSystemMetrics(SM_CYCAPTION) - 1};
    fill(hdc, bar, COLOR_ACTIVECAPTION);
    SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_CAPTIONTEXT));
    RECT t{bar.left + 6, bar.top, bar.right - 24, bar.bottom};
    DrawTextA(hdc, w->text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (style & WS_SYSMENU) {
      RECT close{bar.right - 20, bar.top + 2, bar.right - 2, bar.bottom - 2};
      DrawTextA(hdc, "x", 1, &close, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
  }
  int vs = (style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  int hs = (style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0;
  RECT inside{client.left, client.top, client.right + vs, client.bottom + hs};
  if (ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) {
    int e = (ex & WS_EX_CLIENTEDGE) ? 2 : 1;
    RECT edge{inside.left - e, inside.top - e, inside.right + e, inside.bottom + e};
    if (ex & WS_EX_CLIENTEDGE && ex & WS_EX_STATICEDGE) InflateRect(&edge, -1, -1);
    DrawEdge(hdc, &edge, (ex & WS_EX_CLIENTEDGE) ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
  }
  if (vs) scrollBar(hwnd, hdc, RECT{client.right, client.top, client.right + vs, client.bottom}, true);
  if (hs) scrollBar(hwnd, hdc, RECT{client.left, client.bottom, client.right, client.bottom + hs}, false);
  if (vs && hs) fill(hdc, RECT{client.right, client.bottom, client.right + vs, client.bottom + hs}, COLOR_BTNFACE);
  ReleaseDC(hwnd, hdc);
}

void paintTree(HWND hwnd, bool root) {
  Window* w = Find(hwnd);
  if (!w || (!root && !(w->style & WS_VISIBLE))) return;
  paintFrame(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
  SendMessageA(hwnd, WM_PAINT, 0, 0);
  if ((w = Find(hwnd)) == nullptr) return;
  std::vector<HWND> kids = w->children;  // topmost first, so painted last
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) paintTree(*it, false);
}

headless::Image fromSurface(cairo_surface_t* s, RECT area) {
  headless::Image img;
  int sw = cairo_image_surface_get_width(s), sh = cairo_image_surface_get_height(s);
  area.left = std::max<LONG>(area.left, 0);
  area.top = std::max<LONG>(area.top, 0);
  area.right = std::min<LONG>(area.right, sw);
  area.bottom = std::min<LONG>(area.bottom, sh);
  if (area.right <= area.left || area.bottom <= area.top) return img;
  img.width = area.right - area.left;
  img.height = area.bottom - area.top;
  img.pixels.resize(static_cast<size_t>(img.width) * static_cast<size_t>(img.height));
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  cairo_format_t format = cairo_image_surface_get_format(s);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      std::uint32_t px;
      std::memcpy(&px, data + (y + area.top) * stride + (x + area.left) * 4, 4);
      if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) px = 0;
      img.pixels[static_cast<size_t>(y) * img.width + x] = RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    }
  return img;
}

}  // namespace

namespace headless {

Image RenderWindow(HWND hwnd) {
  if (!Find(hwnd)) return Image{};
  HWND root = GetAncestor(hwnd, GA_ROOT);
  if (!root) root = hwnd;
  paintTree(root, true);
  POINT origin;
  RECT visible;
  if (!WindowArea(hwnd, false, &origin, &visible)) return Image{};
  Window* w = Find(hwnd);
  RECT area{origin.x, origin.y, origin.x + (w->rect.right - w->rect.left),
            origin.y + (w->rect.bottom - w->rect.top)};
  return fromSurface(WindowSurface(root), area);
}

bool SavePng(const Image& image, const char* path) {
  if (image.empty() || !path) return false;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      COLORREF c = image.At(x, y);
      std::uint32_t px = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      std::memcpy(data + y * stride + x * 4, &px, 4);
    }
  cairo_surface_mark_dirty(s);
  bool ok = cairo_surface_write_to_png(s, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(s);
  return ok;
}

bool RenderWindowToPng(HWND hwnd, const char* path) { return SavePng(RenderWindow(hwnd), path); }

Image LoadPng(const char* path) {
  if (!path) return Image{};
  cairo_surface_t* s = cairo_image_surface_create_from_png(path);
  Image img;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
    img = fromSurface(s, RECT{0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)});
  cairo_surface_destroy(s);
  return img;
}

}  // namespace headless
