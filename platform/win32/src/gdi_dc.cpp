// Device contexts: window DCs over the backing surface of their top-level
// window, memory DCs over bitmaps, the paint cycle, selection and saved states.
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>

#include <headless/headless.h>

#include "backend.h"
#include "gdi.h"

using namespace headless::detail;

namespace {

struct DcTable {
  std::unordered_map<HDC, std::unique_ptr<Dc>> dcs;
  std::unordered_map<HWND, cairo_surface_t*> surfaces;
  std::uintptr_t next = 0x7000'0000;

  // A process may end with windows (and their surfaces) still alive; the map does not
  // own what it points to.
  ~DcTable();
};

DcTable& dcTable() {
  static DcTable t;
  return t;
}

void destroyDc(Dc& dc) {
  if (dc.cr) cairo_destroy(dc.cr);
  if (dc.surface) cairo_surface_destroy(dc.surface);
  dc.cr = nullptr;
  dc.surface = nullptr;
}

DcTable::~DcTable() {
  for (auto& [h, dc] : dcs) destroyDc(*dc);
  for (auto& [h, s] : surfaces) cairo_surface_destroy(s);
}

const ResetHook resetDcs([] {
  DcTable& t = dcTable();
  for (auto& [h, dc] : t.dcs) destroyDc(*dc);
  t.dcs.clear();
  for (auto& [h, s] : t.surfaces) cairo_surface_destroy(s);
  t.surfaces.clear();
});

RECT intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void defaultState(DcState& st) {
  st = DcState{};
  st.font = GetStockObject(SYSTEM_FONT);
  st.brush = GetStockObject(WHITE_BRUSH);
  st.pen = GetStockObject(BLACK_PEN);
  st.fontRef = FindGdi(st.font);
  st.brushRef = FindGdi(st.brush);
  st.penRef = FindGdi(st.pen);
}

Dc& newDc(cairo_surface_t* surface, POINT origin, RECT bounds) {
  DcTable& t = dcTable();
  auto dc = std::make_unique<Dc>();
  dc->handle = reinterpret_cast<HDC>(t.next);
  t.next += 4;
  dc->surface = cairo_surface_reference(surface);
  dc->origin = origin;
  dc->bounds = bounds;
  defaultState(dc->st);
  dc->st.clip = bounds;
  Dc& ref = *dc;
  t.dcs.emplace(dc->handle, std::move(dc));
  ResetCairo(ref);
  return ref;
}

HDC windowDc(HWND hwnd, bool client) {
  if (!FindOrFail(hwnd)) return nullptr;
  POINT origin;
  RECT visible;
  if (!WindowArea(hwnd, client, &origin, &visible)) return nullptr;
  HWND root = GetAncestor(hwnd, GA_ROOT);
  Dc& dc = newDc(WindowSurface(root ? root : hwnd), origin, visible);
  dc.hwnd = hwnd;
  return dc.handle;
}

POINT screenPos(const Window& w) {
  if (Window* p = Find(w.parent)) {
    POINT o = ClientOrigin(*p);
    return POINT{o.x + w.rect.left, o.y + w.rect.top};
  }
  return POINT{w.rect.left, w.rect.top};
}

COLORREF readPixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  std::uint32_t px;
  std::memcpy(&px, data + y * stride + x * 4, 4);
  return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

}  // namespace

namespace headless::detail {

Dc* FindDc(HDC hdc) {
  if (!hdc) return nullptr;
  auto& dcs = dcTable().dcs;
  auto it = dcs.find(hdc);
  return it == dcs.end() ? nullptr : it->second.get();
}

void ResetCairo(Dc& dc) {
  if (dc.cr) cairo_destroy(dc.cr);
  dc.cr = cairo_create(dc.surface);
  cairo_set_antialias(dc.cr, CAIRO_ANTIALIAS_NONE);
  const RECT& c = dc.st.clip;
  cairo_rectangle(dc.cr, c.left, c.top, c.right - c.left, c.bottom - c.top);
  cairo_clip(dc.cr);
}

// The pixels kept for a top-level window. A window may be far larger than any screen (a
// dialog template can ask for 32767 units a side); like a screen, the store shows only its
// top-left part rather than asking for gigabytes.
namespace {
SIZE SurfaceExtent(const Window* root) {
  constexpr LONG kMaxSide = 8192;
  if (!root) return SIZE{1, 1};
  return SIZE{std::clamp<LONG>(root->rect.right - root->rect.left, 1, kMaxSide),
              std::clamp<LONG>(root->rect.bottom - root->rect.top, 1, kMaxSide)};
}
}  // namespace

cairo_surface_t* WindowSurface(HWND root) {
  DcTable& t = dcTable();
  const SIZE extent = SurfaceExtent(Find(root));
  const int cx = extent.cx, cy = extent.cy;
  cairo_surface_t*& s = t.surfaces[root];
  if (s && (cairo_image_surface_get_width(s) != cx || cairo_image_surface_get_height(s) != cy)) {
    cairo_surface_destroy(s);
    s = nullptr;
  }
  if (!s) {
    s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cx, cy);
    // Drop the surfaces of windows that are gone.
    for (auto it = t.surfaces.begin(); it != t.surfaces.end();)
      it = (!Find(it->first) && it->first != root) ? (cairo_surface_destroy(it->second),
                                                       t.surfaces.erase(it))
                                                    : std::next(it);
  }
  return s;
}

bool WindowArea(HWND hwnd, bool client, POINT* origin, RECT* visible) {
  Window* w = Find(hwnd);
  if (!w) return false;
  HWND rootHandle = GetAncestor(hwnd, GA_ROOT);
  Window* root = Find(rootHandle ? rootHandle : hwnd);
  if (!root) return false;
  POINT rootPos = screenPos(*root);
  POINT pos = screenPos(*w);
  POINT o{pos.x - rootPos.x, pos.y - rootPos.y};
  RECT area{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
  if (client) {
    area = RECT{o.x + w->client.left, o.y + w->client.top, o.x + w->client.right,
                o.y + w->client.bottom};
    o = POINT{area.left, area.top};
  }
  const SIZE extent = SurfaceExtent(root);
  RECT vis = intersect(area, RECT{0, 0, extent.cx, extent.cy});
  for (Window* a = Find(w->parent); a; a = Find(a->parent)) {
    POINT ap = screenPos(*a);
    RECT ac{ap.x - rootPos.x + a->client.left, ap.y - rootPos.y + a->client.top,
            ap.x - rootPos.x + a->client.right, ap.y - rootPos.y + a->client.bottom};
    vis = intersect(vis, ac);
  }
  *origin = o;
  *visible = vis;
  return true;
}

}  // namespace headless::detail

extern "C" {

HDC WINAPI GetDC(HWND hwnd) {
  if (!hwnd) {
    // The screen: there is none to show, so its DC draws into a single pixel.
    cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    Dc& dc = newDc(one, POINT{0, 0}, RECT{0, 0, 1, 1});
    cairo_surface_destroy(one);
    return dc.handle;
  }
  return windowDc(hwnd, true);
}
HDC WINAPI GetWindowDC(HWND hwnd) { return windowDc(hwnd, false); }

int WINAPI ReleaseDC(HWND, HDC hdc) {
  Dc* dc = FindDc(hdc);
  if (!dc || dc->memory) return 0;
  destroyDc(*dc);
  dcTable().dcs.erase(hdc);
  return 1;
}

HWND WINAPI WindowFromDC(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->hwnd : nullptr;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  Window* w = FindOrFail(hwnd);
  if (!w || !ps) return nullptr;
  *ps = PAINTSTRUCT{};
  RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  bool pending = w->updatePending;
  ps->rcPaint = pending ? intersect(w->updateRect, client) : RECT{0, 0, 0, 0};
  w->updatePending = false;
  HDC hdc = GetDC(hwnd);
  if (!hdc) return nullptr;
  Dc* dc = FindDc(hdc);
  dc->paint = true;
  w = Find(hwnd);
  if (w) w->painted.clear();
  RECT dev = ps->rcPaint;
  OffsetRect(&dev, dc->origin.x, dc->origin.y);
  dc->st.clip = intersect(dc->st.clip, dev);
  ResetCairo(*dc);
  ps->hdc = hdc;
  if (pending) ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
  return hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  ReleaseDC(hwnd, ps->hdc);
  return TRUE;
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !FindDc(hdc)) return nullptr;
  // A new memory DC holds a 1x1 bitmap until one is selected.
  cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  Dc& dc = newDc(one, POINT{0, 0}, RECT{0, 0, 1, 1});
  cairo_surface_destroy(one);
  dc.memory = true;
  return dc.handle;
}

BOOL WINAPI DeleteDC(HDC hdc) {
  Dc* dc = FindDc(hdc);
  if (!dc) return FALSE;
  destroyDc(*dc);
  dcTable().dcs.erase(hdc);
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  Dc* dc = FindDc(hdc);
  GdiRef o = FindGdi(h);
  if (!dc || !o) return nullptr;
  HGDIOBJ old = nullptr;
  switch (o->kind) {
    case GdiKind::Font:
      old = dc->st.font, dc->st.font = h, dc->st.fontRef = o;
      break;
    case GdiKind::Brush:
      old = dc->st.brush, dc->st.brush = h, dc->st.brushRef = o;
      break;
    case GdiKind::Pen:
      old = dc->st.pen, dc->st.pen = h, dc->st.penRef = o;
      break;
    case GdiKind::Bitmap: {
      if (!dc->memory) return nullptr;
      old = dc->bitmap;
      dc->bitmap = h;
      dc->bitmapRef = o;
      cairo_surface_destroy(dc->surface);
      dc->surface = cairo_surface_reference(o->surface);
      dc->bounds = RECT{0, 0, o->cx, o->cy};
      dc->st.clip = dc->bounds;
      ResetCairo(*dc);
      if (!old) {
        // The DC's original 1x1 bitmap, as a handle the caller can select back.
        auto first = std::make_shared<GdiObject>(GdiKind::Bitmap);
        first->cx = first->cy = 1;
        first->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
        old = AddGdi(first);
      }
      break;
    }
  }
  return old;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  Dc* dc = FindDc(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_FONT: return dc->st.font;
    case OBJ_BRUSH: return dc->st.brush;
    case OBJ_PEN: return dc->st.pen;
    case OBJ_BITMAP: return dc->bitmap;
    default: return nullptr;
  }
}

int WINAPI SaveDC(HDC hdc) {
  Dc* dc = FindDc(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->st);
  return static_cast<int>(dc->saved.size());
}

BOOL WINAPI RestoreDC(HDC hdc, int level) {
  Dc* dc = FindDc(hdc);
  if (!dc) return FALSE;
  int n = static_cast<int>(dc->saved.size());
  int target = level < 0 ? n + level + 1 : level;  // the state SaveDC numbered so
  if (target < 1 || target > n) return FALSE;
  dc->st = dc->saved[static_cast<size_t>(target - 1)];
  dc->saved.resize(static_cast<size_t>(target - 1));
  ResetCairo(*dc);
  return TRUE;
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
  if (!FindDc(hdc)) return 0;
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES: return GetSystemMetrics(SM_CYSCREEN);
    case HORZSIZE: return GetSystemMetrics(SM_CXSCREEN) * 254 / 960;
    case VERTSIZE: return GetSystemMetrics(SM_CYSCREEN) * 254 / 960;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case RASTERCAPS: return 0x0001 | 0x0008 | 0x0800;  // RC_BITBLT | RC_BITMAP64 | RC_STRETCHBLT
    default: return 0;
  }
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF c) {
  Dc* dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->st.text, c & 0xFFFFFF);
}
COLORREF WINAPI GetTextColor(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->st.text : CLR_INVALID;
}
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF c) {
  Dc* dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->st.bk, c & 0xFFFFFF);
}
COLORREF WINAPI GetBkColor(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->st.bk : CLR_INVALID;
}
int WINAPI SetBkMode(HDC hdc, int mode) {
  Dc* dc = FindDc(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->st.bkMode, mode);
}
int WINAPI GetBkMode(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->st.bkMode : 0;
}
UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
  Dc* dc = FindDc(hdc);
  if (!dc) return GDI_ERROR;
  return std::exchange(dc->st.textAlign, align);
}
UINT WINAPI GetTextAlign(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->st.textAlign : GDI_ERROR;
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = FindDc(hdc);
  if (!dc) return 0;  // ERROR
  RECT r{left + dc->origin.x, top + dc->origin.y, right + dc->origin.x, bottom + dc->origin.y};
  dc->st.clip = intersect(dc->st.clip, r);
  ResetCairo(*dc);
  return IsRectEmpty(&dc->st.clip) ? 1 : 2;  // NULLREGION : SIMPLEREGION
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  Dc* dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  POINT p{x + dc->origin.x, y + dc->origin.y};
  if (!PtInRect(&dc->st.clip, p)) return CLR_INVALID;
  return readPixel(dc->surface, p.x, p.y);
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF c) {
  Dc* dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  POINT p{x + dc->origin.x, y + dc->origin.y};
  if (!PtInRect(&dc->st.clip, p)) return CLR_INVALID;
  FillSolid(*dc, RECT{x, y, x + 1, y + 1}, c);
  return c & 0xFFFFFF;
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
  Dc* dc = FindDc(hdc);
  if (!dc) return FALSE;
  switch (rop) {
    case BLACKNESS: FillSolid(*dc, RECT{x, y, x + cx, y + cy}, 0); return TRUE;
    case WHITENESS: FillSolid(*dc, RECT{x, y, x + cx, y + cy}, 0xFFFFFF); return TRUE;
    case PATCOPY: {
      COLORREF c;
      if (BrushColor(static_cast<HBRUSH>(dc->st.brush), &c)) FillSolid(*dc, RECT{x, y, x + cx, y + cy}, c);
      return TRUE;
    }
    case SRCCOPY: break;
    default: return FALSE;
  }
  Dc* s = FindDc(src);
  if (!s) return FALSE;
  cairo_surface_flush(s->surface);
  cairo_surface_t* from = s->surface;
  int sx = x1 + s->origin.x, sy = y1 + s->origin.y;
  if (from == dc->surface) {
    // Copying within one surface goes through a copy of the source area.
    from = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(cx, 1), std::max(cy, 1));
    cairo_t* c = cairo_create(from);
    cairo_set_source_surface(c, s->surface, -sx, -sy);
    cairo_paint(c);
    cairo_destroy(c);
    sx = sy = 0;
  } else {
    cairo_surface_reference(from);
  }
  int dx = x + dc->origin.x, dy = y + dc->origin.y;
  cairo_t* cr = dc->cr;
  cairo_save(cr);
  // Only the source's own pixels are copied.
  cairo_rectangle(cr, dx, dy, cx, cy);
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, from, dx - sx, dy - sy);
  cairo_rectangle(cr, dx - sx, dy - sy, cairo_image_surface_get_width(from),
                  cairo_image_surface_get_height(from));
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_surface_destroy(from);
  return TRUE;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  return BitBlt(hdc, x, y, w, h, nullptr, 0, 0, rop);
}

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO bmi,
                     UINT) {
  GdiRef b = FindGdi(hbm, GdiKind::Bitmap);
  if (!FindDc(hdc) || !b || !bmi) return 0;
  BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (!bits) {
    h.biWidth = b->cx;
    h.biHeight = b->cy;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(b->cx * b->cy * 4);
    return b->cy ? b->cy : 1;
  }
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth != b->cx) return 0;
  bool bottomUp = h.biHeight > 0;
  int height = std::min<int>(bottomUp ? h.biHeight : -h.biHeight, b->cy);
  cairo_surface_flush(b->surface);
  const unsigned char* data = cairo_image_surface_get_data(b->surface);
  int stride = cairo_image_surface_get_stride(b->surface);
  auto* out = static_cast<unsigned char*>(bits);
  int copied = 0;
  for (UINT i = 0; i < lines && static_cast<int>(start + i) < height; ++i) {
    // Scan line start + i counts from the bottom in a bottom-up DIB.
    int line = static_cast<int>(start + i);
    int y = bottomUp ? height - 1 - line : line;
    std::memcpy(out + static_cast<size_t>(i) * b->cx * 4, data + y * stride,
                static_cast<size_t>(b->cx) * 4);
    ++copied;
  }
  return copied;
}

}  // extern "C"

namespace headless {

std::size_t DeviceContextCount() { return dcTable().dcs.size(); }

}  // namespace headless
