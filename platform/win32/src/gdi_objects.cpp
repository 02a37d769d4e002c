// GDI objects: fonts, brushes, pens and bitmaps behind handles, with the stock set.
#include <cairo.h>

#include <cstring>
#include <unordered_map>

#include <headless/headless.h>

#include "backend.h"
#include "gdi.h"

using namespace headless::detail;

namespace {

struct Table {
  std::unordered_map<HGDIOBJ, GdiRef> objects;
  std::unordered_map<int, HGDIOBJ> stock;
  std::uintptr_t next = 0x10000;
};

Table& table() {
  static Table t;
  return t;
}

// Stock objects survive Reset: programs keep their handles in statics.
const ResetHook resetObjects([] {
  Table& t = table();
  for (auto it = t.objects.begin(); it != t.objects.end();)
    it = it->second->stock ? std::next(it) : t.objects.erase(it);
});

LOGFONTA logFont(int height, int weight, BYTE charset, const char* face) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = charset;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

GdiRef makeStock(int i) {
  auto brush = [](COLORREF c, int style = BS_SOLID) {
    auto o = std::make_shared<GdiObject>(GdiKind::Brush);
    o->color = c;
    o->style = style;
    return o;
  };
  auto pen = [](COLORREF c, int style = PS_SOLID) {
    auto o = std::make_shared<GdiObject>(GdiKind::Pen);
    o->color = c;
    o->style = style;
    return o;
  };
  auto font = [](LOGFONTA lf) {
    auto o = std::make_shared<GdiObject>(GdiKind::Font);
    o->font = lf;
    return o;
  };
  switch (i) {
    case WHITE_BRUSH: return brush(RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(RGB(0, 0, 0));
    case NULL_BRUSH: return brush(0, BS_NULL);
    case DC_BRUSH: return brush(RGB(255, 255, 255));
    case WHITE_PEN: return pen(RGB(255, 255, 255));
    case BLACK_PEN: return pen(RGB(0, 0, 0));
    case NULL_PEN: return pen(0, PS_NULL);
    case DC_PEN: return pen(RGB(0, 0, 0));
    // The system font is a bold 16-pixel cell; the GUI font is the Traditional
    // Chinese system's 9-point dialog face.
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return font(logFont(16, FW_BOLD, CHINESEBIG5_CHARSET, "System"));
    case DEFAULT_GUI_FONT:
    case ANSI_VAR_FONT: return font(logFont(-12, FW_NORMAL, CHINESEBIG5_CHARSET, "新細明體"));
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: {
      LOGFONTA lf = logFont(16, FW_NORMAL, CHINESEBIG5_CHARSET, "Fixedsys");
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      return font(lf);
    }
    default: return nullptr;
  }
}

}  // namespace

namespace headless::detail {

GdiObject::~GdiObject() {
  if (surface) cairo_surface_destroy(surface);
}

GdiRef FindGdi(HGDIOBJ h) {
  if (!h) return nullptr;
  auto& objs = table().objects;
  auto it = objs.find(h);
  return it == objs.end() ? nullptr : it->second;
}

GdiRef FindGdi(HGDIOBJ h, GdiKind kind) {
  GdiRef o = FindGdi(h);
  return o && o->kind == kind ? o : nullptr;
}

HGDIOBJ AddGdi(GdiRef obj) {
  Table& t = table();
  HGDIOBJ h = reinterpret_cast<HGDIOBJ>(t.next);
  t.next += 4;
  t.objects.emplace(h, std::move(obj));
  return h;
}

}  // namespace headless::detail

extern "C" {

HGDIOBJ WINAPI GetStockObject(int i) {
  Table& t = table();
  if (auto it = t.stock.find(i); it != t.stock.end()) return it->second;
  GdiRef o = makeStock(i);
  if (!o) return nullptr;
  o->stock = true;
  HGDIOBJ h = AddGdi(o);
  t.stock.emplace(i, h);
  return h;
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
  GdiRef o = FindGdi(h);
  if (!o) return FALSE;
  // A DC that still holds the object keeps it alive until it lets go, as Win32
  // defers the deletion of a selected object.
  if (!o->stock) table().objects.erase(h);
  return TRUE;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  if (FindDc(reinterpret_cast<HDC>(h))) return FindDc(reinterpret_cast<HDC>(h))->memory ? OBJ_MEMDC : OBJ_DC;
  GdiRef o = FindGdi(h);
  if (!o) return 0;
  switch (o->kind) {
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Bitmap: return OBJ_BITMAP;
  }
  return 0;
}

int WINAPI GetObjectA(HANDLE h, int size, LPVOID out) {
  GdiRef o = FindGdi(h);
  if (!o) return 0;
  auto give = [&](const void* data, int n) {
    if (!out) return n;
    if (size < n) return 0;
    std::memcpy(out, data, static_cast<size_t>(n));
    return n;
  };
  switch (o->kind) {
    case GdiKind::Font:
      return give(&o->font, static_cast<int>(sizeof(LOGFONTA)));
    case GdiKind::Brush: {
      LOGBRUSH lb{static_cast<UINT>(o->style), o->color, 0};
      return give(&lb, static_cast<int>(sizeof lb));
    }
    case GdiKind::Pen: {
      LOGPEN lp{static_cast<UINT>(o->style), POINT{o->width, 0}, o->color};
      return give(&lp, static_cast<int>(sizeof lp));
    }
    case GdiKind::Bitmap: {
      BITMAP bm{0, o->cx, o->cy, o->cx * 4, 1, 32, nullptr};
      return give(&bm, static_cast<int>(sizeof bm));
    }
  }
  return 0;
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lf) {
  if (!lf) return nullptr;
  auto o = std::make_shared<GdiObject>(GdiKind::Font);
  o->font = *lf;
  o->font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(AddGdi(std::move(o)));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charset,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR face) {
  LOGFONTA lf{height,
              width,
              escapement,
              orientation,
              weight,
              static_cast<BYTE>(italic),
              static_cast<BYTE>(underline),
              static_cast<BYTE>(strikeOut),
              static_cast<BYTE>(charset),
              static_cast<BYTE>(outPrecision),
              static_cast<BYTE>(clipPrecision),
              static_cast<BYTE>(quality),
              static_cast<BYTE>(pitchAndFamily),
              {}};
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto o = std::make_shared<GdiObject>(GdiKind::Brush);
  o->color = color & 0xFFFFFF;
  o->style = BS_SOLID;
  return static_cast<HBRUSH>(AddGdi(std::move(o)));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  if (lb->lbStyle == BS_NULL) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  return CreateSolidBrush(lb->lbColor);
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  if ((style & PS_STYLE_MASK) > PS_INSIDEFRAME) return nullptr;
  auto o = std::make_shared<GdiObject>(GdiKind::Pen);
  o->style = style & PS_STYLE_MASK;
  o->width = width < 1 ? 1 : width;
  o->color = color & 0xFFFFFF;
  return static_cast<HPEN>(AddGdi(std::move(o)));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  if (!FindDc(hdc) || cx < 0 || cy < 0) return nullptr;
  auto o = std::make_shared<GdiObject>(GdiKind::Bitmap);
  o->cx = cx;
  o->cy = cy;
  // A new bitmap is black, as on Win32.
  o->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cx ? cx : 1, cy ? cy : 1);
  return static_cast<HBITMAP>(AddGdi(std::move(o)));
}

}  // extern "C"

namespace headless {

std::size_t GdiObjectCount() {
  std::size_t n = 0;
  for (const auto& [h, o] : table().objects) n += o->stock ? 0 : 1;
  return n;
}

}  // namespace headless
