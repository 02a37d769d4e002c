// Drawing primitives: system colours, fills, frames, rectangles, lines and edges.
// Everything lands on whole pixels, so owner-drawn output can be checked exactly.
#include <cairo.h>
#include <pixman.h>

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "backend.h"
#include "gdi.h"

using namespace headless::detail;

namespace {

// Windows 10's default colours.
constexpr COLORREF kSysColors[] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25, unused
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};
constexpr int kSysColorCount = static_cast<int>(sizeof kSysColors / sizeof kSysColors[0]);

COLORREF penColor(const Dc& dc, bool* draws) {
  const GdiObject* pen = dc.st.penRef.get();
  *draws = pen && pen->style != PS_NULL;
  return pen ? pen->color : 0;
}

bool patternOn(int style, int step) {
  switch (style) {
    case PS_DASH: return step % 24 < 18;
    case PS_DOT: return step % 6 < 3;
    case PS_DASHDOT: return step % 24 < 9 || (step % 24 >= 15 && step % 24 < 18);
    case PS_DASHDOTDOT: return step % 24 < 9 || (step % 24 >= 12 && step % 24 < 15) ||
                               (step % 24 >= 18 && step % 24 < 21);
    default: return true;
  }
}

// A line of the current pen from (x0, y0) up to, but not including, (x1, y1).
void drawLine(Dc& dc, int x0, int y0, int x1, int y1) {
  bool draws;
  COLORREF color = penColor(dc, &draws);
  if (!draws || (x0 == x1 && y0 == y1)) return;
  const GdiObject& pen = *dc.st.penRef;
  int width = pen.width;
  if (width > 1) {
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0 + dc.origin.x + 0.5, y0 + dc.origin.y + 0.5);
    cairo_line_to(cr, x1 + dc.origin.x + 0.5, y1 + dc.origin.y + 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    return;
  }
  if ((y0 == y1 || x0 == x1) && pen.style == PS_SOLID) {
    RECT r = y0 == y1 ? RECT{std::min(x0, x1 + 1), y0, std::max(x0 + 1, x1), y0 + 1}
                      : RECT{x0, std::min(y0, y1 + 1), x0 + 1, std::max(y0 + 1, y1)};
    FillSolid(dc, r, color);
    return;
  }
  // Bresenham, the way GDI steps a one-pixel line.
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0, step = 0;
  while (!(x == x1 && y == y1)) {
    if (patternOn(pen.style, step++)) FillSolid(dc, RECT{x, y, x + 1, y + 1}, color);
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += sx;
    if (e2 <= dx) err += dx, y += sy;
  }
}

// One side of an edge: Win32 draws top and left first, then bottom and right
// over their corners.
void edgeLines(Dc& dc, const RECT& r, UINT flags, int ltColor, int rbColor) {
  auto line = [&](int x0, int y0, int x1, int y1, int color) {
    if (color < 0) return;
    COLORREF c = SysColor(color);
    RECT box{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
    FillSolid(dc, box, c);
  };
  if (flags & BF_TOP) line(r.left, r.top, r.right - 2, r.top, ltColor);
  if (flags & BF_LEFT) line(r.left, r.top, r.left, r.bottom - 2, ltColor);
  if (flags & BF_BOTTOM) line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, rbColor);
  if (flags & BF_RIGHT) line(r.right - 1, r.top, r.right - 1, r.bottom - 1, rbColor);
}

std::unordered_map<int, HBRUSH>& sysBrushes() {
  static std::unordered_map<int, HBRUSH> b;
  return b;
}

}  // namespace

namespace headless::detail {

COLORREF SysColor(int index) {
  return index >= 0 && index < kSysColorCount ? kSysColors[index] : 0;
}

bool BrushColor(HBRUSH brush, COLORREF* color) {
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= static_cast<std::uintptr_t>(kSysColorCount)) {
    // (HBRUSH)(COLOR_xxx + 1), as window classes give their background.
    *color = SysColor(static_cast<int>(value) - 1);
    return true;
  }
  GdiRef b = FindGdi(brush, GdiKind::Brush);
  if (!b || b->style == BS_NULL) return false;
  *color = b->color;
  return true;
}

namespace {

// The DC's surface as a pixman image over the same memory, and the part of it the
// DC may touch. Null where cairo has to draw (another kind of surface, or a
// context in error), so such DCs keep cairo's own behaviour. A list page repeats
// fills and text masks thousands of times; cairo's per-call set-up costs more
// than the pixels.
struct Pixels {
  pixman_image_t* image = nullptr;
  RECT clip{};
  explicit Pixels(Dc& dc) {
    cairo_surface_t* s = dc.surface;
    if (!s || !dc.cr || cairo_status(dc.cr) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE)
      return;
    pixman_format_code_t format;
    switch (cairo_image_surface_get_format(s)) {
      case CAIRO_FORMAT_RGB24: format = PIXMAN_x8r8g8b8; break;
      case CAIRO_FORMAT_ARGB32: format = PIXMAN_a8r8g8b8; break;
      default: return;
    }
    cairo_surface_flush(s);
    const int width = cairo_image_surface_get_width(s), height = cairo_image_surface_get_height(s);
    image = pixman_image_create_bits_no_clear(
        format, width, height, reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s)),
        cairo_image_surface_get_stride(s));
    clip = dc.st.clip;
    clip.left = std::max<LONG>(clip.left, 0);
    clip.top = std::max<LONG>(clip.top, 0);
    clip.right = std::min<LONG>(clip.right, width);
    clip.bottom = std::min<LONG>(clip.bottom, height);
  }
  ~Pixels() {
    if (image) pixman_image_unref(image);
  }
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;
  // r cut to the clip; false when nothing is left.
  bool Cut(RECT& r) const {
    r.left = std::max(r.left, clip.left);
    r.top = std::max(r.top, clip.top);
    r.right = std::min(r.right, clip.right);
    r.bottom = std::min(r.bottom, clip.bottom);
    return r.right > r.left && r.bottom > r.top;
  }
  static void Touched(Dc& dc, const RECT& r) {
    cairo_surface_mark_dirty_rectangle(dc.surface, r.left, r.top, r.right - r.left,
                                       r.bottom - r.top);
  }
};

// cairo's 16-bit channel of a colour given as n / 255.
uint16_t channel(BYTE n) { return static_cast<uint16_t>(n * 257); }

// A further clip in surface pixels. One given inside out covers the same pixels as
// the right way round, as cairo takes it.
void cutToClip(RECT& d, const RECT& clip) {
  d.left = std::max<LONG>(d.left, std::min(clip.left, clip.right));
  d.right = std::min<LONG>(d.right, std::max(clip.left, clip.right));
  d.top = std::max<LONG>(d.top, std::min(clip.top, clip.bottom));
  d.bottom = std::min<LONG>(d.bottom, std::max(clip.top, clip.bottom));
}

void clipCairo(cairo_t* cr, const RECT& clip) {
  cairo_save(cr);
  cairo_rectangle(cr, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
  cairo_clip(cr);
}

void setCairoSource(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                       GetBValue(color) / 255.0);
}

}  // namespace

void FillSolid(Dc& dc, const RECT& r, COLORREF color, const RECT* clip) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  RECT d{r.left + dc.origin.x, r.top + dc.origin.y, r.right + dc.origin.x, r.bottom + dc.origin.y};
  Pixels px(dc);
  if (px.image) {
    if (clip) cutToClip(d, *clip);
    if (!px.Cut(d)) return;
    // An opaque colour replaces the pixels, the unused byte of RGB24 set as cairo sets it.
    const uint32_t pixel = 0xFF000000u | (uint32_t{GetRValue(color)} << 16) |
                           (uint32_t{GetGValue(color)} << 8) | GetBValue(color);
    pixman_fill(pixman_image_get_data(px.image), pixman_image_get_stride(px.image) / 4, 32, d.left,
                d.top, d.right - d.left, d.bottom - d.top, pixel);
    Pixels::Touched(dc, d);
    return;
  }
  cairo_t* cr = dc.cr;
  if (clip) clipCairo(cr, *clip);
  setCairoSource(cr, color);
  cairo_rectangle(cr, d.left, d.top, r.right - r.left, r.bottom - r.top);
  cairo_fill(cr);
  if (clip) cairo_restore(cr);
}

void MaskSolid(Dc& dc, cairo_surface_t* mask, const AlphaMask& a, int x, int y, const RECT* clip,
               COLORREF color) {
  Pixels px(dc);
  if (px.image && a.data) {
    RECT d{x, y, x + a.width, y + a.height};
    if (clip) cutToClip(d, *clip);
    if (!px.Cut(d)) return;
    pixman_image_t* alpha = pixman_image_create_bits_no_clear(
        PIXMAN_a8, a.width, a.height, reinterpret_cast<uint32_t*>(a.data), a.stride);
    const pixman_color_t c{channel(GetRValue(color)), channel(GetGValue(color)),
                           channel(GetBValue(color)), 0xFFFF};
    pixman_image_t* source = pixman_image_create_solid_fill(&c);
    pixman_image_composite32(PIXMAN_OP_OVER, source, alpha, px.image, 0, 0, d.left - x, d.top - y,
                             d.left, d.top, d.right - d.left, d.bottom - d.top);
    pixman_image_unref(source);
    pixman_image_unref(alpha);
    Pixels::Touched(dc, d);
    return;
  }
  cairo_t* cr = dc.cr;
  if (clip) clipCairo(cr, *clip);
  setCairoSource(cr, color);
  cairo_mask_surface(cr, mask, x, y);
  if (clip) cairo_restore(cr);
}

}  // namespace headless::detail

extern "C" {

DWORD WINAPI GetSysColor(int index) { return SysColor(index); }

HBRUSH WINAPI GetSysColorBrush(int index) {
  if (index < 0 || index >= kSysColorCount) return nullptr;
  HBRUSH& b = sysBrushes()[index];
  if (!FindGdi(b)) {
    auto o = std::make_shared<GdiObject>(GdiKind::Brush);
    o->color = SysColor(index);
    o->stock = true;  // DeleteObject leaves system brushes alone
    b = static_cast<HBRUSH>(AddGdi(std::move(o)));
  }
  return b;
}

int WINAPI FillRect(HDC hdc, const RECT* r, HBRUSH brush) {
  Dc* dc = FindDc(hdc);
  COLORREF c;
  if (!dc || !r) return 0;
  if (!BrushColor(brush, &c)) return FindGdi(brush) ? 1 : 0;
  FillSolid(*dc, *r, c);
  return 1;
}

int WINAPI FrameRect(HDC hdc, const RECT* r, HBRUSH brush) {
  Dc* dc = FindDc(hdc);
  COLORREF c;
  if (!dc || !r) return 0;
  if (!BrushColor(brush, &c)) return FindGdi(brush) ? 1 : 0;
  if (r->right <= r->left || r->bottom <= r->top) return 1;
  FillSolid(*dc, RECT{r->left, r->top, r->right, r->top + 1}, c);
  FillSolid(*dc, RECT{r->left, r->bottom - 1, r->right, r->bottom}, c);
  FillSolid(*dc, RECT{r->left, r->top, r->left + 1, r->bottom}, c);
  FillSolid(*dc, RECT{r->right - 1, r->top, r->right, r->bottom}, c);
  return 1;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  bool pen;
  COLORREF pc = penColor(*dc, &pen);
  COLORREF bc;
  bool brush = BrushColor(static_cast<HBRUSH>(dc->st.brush), &bc);
  if (!pen) {
    // Without a pen Win32 fills one pixel less on the right and bottom.
    if (brush) FillSolid(*dc, RECT{left, top, right - 1, bottom - 1}, bc);
    return TRUE;
  }
  int w = dc->st.penRef->width;
  if (brush) FillSolid(*dc, RECT{left + w, top + w, right - w, bottom - w}, bc);
  FillSolid(*dc, RECT{left, top, right, top + w}, pc);
  FillSolid(*dc, RECT{left, bottom - w, right, bottom}, pc);
  FillSolid(*dc, RECT{left, top, left + w, bottom}, pc);
  FillSolid(*dc, RECT{right - w, top, right, bottom}, pc);
  return TRUE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
  Dc* dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.pos;
  dc->st.pos = POINT{x, y};
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  Dc* dc = FindDc(hdc);
  if (!dc) return FALSE;
  drawLine(*dc, dc->st.pos.x, dc->st.pos.y, x, y);
  dc->st.pos = POINT{x, y};
  return TRUE;
}

BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  Dc* dc = FindDc(hdc);
  if (!dc || !rect) return FALSE;
  RECT r = *rect;
  // Colours of the outer and inner lines, top-left and bottom-right.
  int outerLT = -1, outerRB = -1, innerLT = -1, innerRB = -1;
  if (edge & BDR_RAISEDOUTER) outerLT = COLOR_3DLIGHT, outerRB = COLOR_3DDKSHADOW;
  if (edge & BDR_SUNKENOUTER) outerLT = COLOR_BTNSHADOW, outerRB = COLOR_BTNHIGHLIGHT;
  if (edge & BDR_RAISEDINNER) innerLT = COLOR_BTNHIGHLIGHT, innerRB = COLOR_BTNSHADOW;
  if (edge & BDR_SUNKENINNER) innerLT = COLOR_3DDKSHADOW, innerRB = COLOR_3DLIGHT;
  if (flags & BF_MONO) outerLT = outerRB = COLOR_WINDOWFRAME, innerLT = innerRB = -1;
  if (flags & BF_FLAT) {
    outerLT = outerRB = COLOR_BTNSHADOW;
    innerLT = innerRB = innerLT >= 0 ? COLOR_BTNFACE : -1;
  }
  edgeLines(*dc, r, flags, outerLT, outerRB);
  bool outer = outerLT >= 0 || outerRB >= 0;
  bool inner = innerLT >= 0 || innerRB >= 0;
  RECT in = r;
  if (outer) {
    if (flags & BF_LEFT) ++in.left;
    if (flags & BF_TOP) ++in.top;
    if (flags & BF_RIGHT) --in.right;
    if (flags & BF_BOTTOM) --in.bottom;
  }
  if (inner) {
    edgeLines(*dc, in, flags, innerLT, innerRB);
    if (flags & BF_LEFT) ++in.left;
    if (flags & BF_TOP) ++in.top;
    if (flags & BF_RIGHT) --in.right;
    if (flags & BF_BOTTOM) --in.bottom;
  }
  if (flags & BF_MIDDLE) FillSolid(*dc, in, SysColor(flags & BF_MONO ? COLOR_WINDOW : COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rect = in;
  return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* r) {
  Dc* dc = FindDc(hdc);
  if (!dc || !r) return FALSE;
  // A dotted frame; without XOR drawing it is drawn in the window text colour.
  COLORREF c = SysColor(COLOR_WINDOWTEXT);
  for (int x = r->left; x < r->right; x += 2) {
    FillSolid(*dc, RECT{x, r->top, x + 1, r->top + 1}, c);
    FillSolid(*dc, RECT{x, r->bottom - 1, x + 1, r->bottom}, c);
  }
  for (int y = r->top; y < r->bottom; y += 2) {
    FillSolid(*dc, RECT{r->left, y, r->left + 1, y + 1}, c);
    FillSolid(*dc, RECT{r->right - 1, y, r->right, y + 1}, c);
  }
  return TRUE;
}

}  // extern "C"
