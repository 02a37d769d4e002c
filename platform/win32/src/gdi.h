// Internal records of GDI: objects, device contexts and the surfaces they draw
// into. Nothing outside platform/win32/src includes this.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFontDescription PangoFontDescription;

namespace headless::detail {

enum class GdiKind { Font, Brush, Pen, Bitmap };

// An A8 image's pixels, read without going back to its surface for each text drawn.
struct AlphaMask {
  unsigned char* data = nullptr;
  int width = 0, height = 0, stride = 0;
};

// The pango side of a font: its description, cell metrics and a cache of the
// layouts of texts it has drawn (rows of a list repeat their texts on every paint).
struct FontFace {
  PangoFontDescription* desc = nullptr;
  int em = 12;
  int ascent = 11;
  int descent = 3;
  int aveWidth = 6;
  int maxWidth = 12;
  struct Cached {
    PangoLayout* layout = nullptr;
    int width = 0;
    int baseline = 0;
    int height = 0;
    cairo_surface_t* mask = nullptr;  // the text rendered once, as an alpha mask
    int maskX = 0;
    int maskY = 0;
    AlphaMask alpha;  // the mask's pixels
  };
  std::unordered_map<std::string, Cached> layouts;
  // Widths alone, measured with one scratch layout: measuring a long list's cells
  // (column autosize) makes no layout per text and does not empty the layouts.
  std::unordered_map<std::string, int> widths;
  PangoLayout* scratch = nullptr;
  ~FontFace();
  void Clear();
  void ClearLayouts();
};

struct GdiObject {
  GdiKind kind;
  bool stock = false;
  COLORREF color = 0;
  int style = 0;  // pen or brush style
  int width = 1;  // pen width
  LOGFONTA font{};
  std::unique_ptr<FontFace> face;  // fonts, made on first use
  cairo_surface_t* surface = nullptr;  // bitmaps
  int cx = 0, cy = 0;
  explicit GdiObject(GdiKind k) : kind(k) {}
  ~GdiObject();
};
using GdiRef = std::shared_ptr<GdiObject>;

GdiRef FindGdi(HGDIOBJ h);
GdiRef FindGdi(HGDIOBJ h, GdiKind kind);
HGDIOBJ AddGdi(GdiRef obj);
// The font's pango face, made when first needed.
FontFace& FaceOf(GdiObject& font);

// What SaveDC keeps.
struct DcState {
  HGDIOBJ font = nullptr, brush = nullptr, pen = nullptr;
  GdiRef fontRef, brushRef, penRef;
  COLORREF text = 0;
  COLORREF bk = 0xFFFFFF;
  int bkMode = OPAQUE;
  UINT textAlign = 0;
  POINT pos{0, 0};
  RECT clip{};  // device coordinates
};

struct Dc {
  HDC handle = nullptr;
  HWND hwnd = nullptr;  // window DCs
  bool memory = false;
  bool paint = false;  // from BeginPaint
  HGDIOBJ bitmap = nullptr;  // memory DCs
  GdiRef bitmapRef;
  cairo_surface_t* surface = nullptr;  // referenced
  cairo_t* cr = nullptr;
  POINT origin{0, 0};  // logical (0,0) in surface pixels
  RECT bounds{};  // the area this DC may touch, in surface pixels
  DcState st;
  std::vector<DcState> saved;
};

// nullptr for a handle that is not (or no longer) a DC.
Dc* FindDc(HDC hdc);
// Points the DC's cairo context at its surface and clip again (after a bitmap
// or a clip changes).
void ResetCairo(Dc& dc);

// ---- Pixels ------------------------------------------------------------------------
// Solid fill of a rectangle in logical coordinates; exact, no anti-aliasing. A clip
// given (surface pixels) limits it further than the DC's clip.
void FillSolid(Dc& dc, const RECT& r, COLORREF color, const RECT* clip = nullptr);
// An alpha mask in colour with its top-left at (x, y) in surface pixels, inside the
// DC's clip and the further clip given (surface pixels); the same pixels as cairo_mask.
void MaskSolid(Dc& dc, cairo_surface_t* mask, const AlphaMask& alpha, int x, int y,
               const RECT* clip, COLORREF color);
COLORREF SysColor(int index);
// A brush handle's colour; false for a null brush or a bad handle.
bool BrushColor(HBRUSH brush, COLORREF* color);

// ---- Window surfaces ------------------------------------------------------------------
// The backing surface of a top-level window (what the screen would show), made
// or resized to the window's size.
cairo_surface_t* WindowSurface(HWND root);
// Where a window's client area (or whole window) lies in its root's surface,
// and the part of it that its ancestors leave visible.
bool WindowArea(HWND hwnd, bool client, POINT* origin, RECT* visible);

// ---- Text ---------------------------------------------------------------------------------
// CP950 to UTF-8; an invalid sequence becomes U+FFFD and never fails.
std::string Cp950ToUtf8(std::string_view cp950);

// ---- Default looks ---------------------------------------------------------------------------
// DefWindowProc's painting: a plain look for the standard control classes.
void DefPaint(HWND hwnd);
// DefWindowProc's WM_ERASEBKGND: the class brush over the client area.
LRESULT DefEraseBackground(HWND hwnd, HDC hdc);
// DefWindowProc's WM_CTLCOLOR*: colours set in the DC and the brush to fill with.
LRESULT DefCtlColor(UINT msg, HDC hdc);

}  // namespace headless::detail
