// Text: fonts through pango and fontconfig, metrics, TextOut and DrawText.
// Texts are CP950 everywhere else; here, and only here, they become UTF-8.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "backend.h"
#include "gdi.h"

using namespace headless::detail;

namespace {

constexpr size_t kLayoutCacheLimit = 4096;
constexpr size_t kWidthCacheLimit = 1 << 16;

PangoContext* ctx = nullptr;

PangoContext* pangoContext() {
  if (ctx) return ctx;
  ctx = [] {
    PangoFontMap* map = pango_cairo_font_map_get_default();
    PangoContext* c = pango_font_map_create_context(map);
    // Han characters take their Traditional Chinese forms.
    pango_context_set_language(c, pango_language_from_string("zh-tw"));
    pango_cairo_context_set_resolution(c, 96.0);
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(c, opts);
    cairo_font_options_destroy(opts);
    return c;
  }();
  return ctx;
}

bool isFixedFace(const LOGFONTA& lf) {
  if ((lf.lfPitchAndFamily & 3) == FIXED_PITCH) return true;
  std::string face = lf.lfFaceName;
  for (const char* fixed : {"Courier", "Fixedsys", "Terminal", "Consol", "Mono", "細明體"})
    if (face.find(fixed) != std::string::npos && face != "新細明體") return true;
  return false;
}

// Cell proportions of the CJK faces: an ideograph stands in one em; the cell
// adds room below for Latin descenders.
constexpr double kAscent = 0.9;
constexpr double kDescent = 0.22;

FontFace::Cached& layoutFor(FontFace& face, const std::string& utf8, int ellipsisWidth = -1) {
  std::string key;
  if (ellipsisWidth >= 0) key = utf8 + '\0' + std::to_string(ellipsisWidth);
  const std::string& lookup = ellipsisWidth >= 0 ? key : utf8;
  auto it = face.layouts.find(lookup);
  if (it != face.layouts.end()) return it->second;
  if (ellipsisWidth < 0) key = utf8;
  if (face.layouts.size() >= kLayoutCacheLimit) face.ClearLayouts();
  PangoLayout* layout = pango_layout_new(pangoContext());
  pango_layout_set_font_description(layout, face.desc);
  pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
  if (ellipsisWidth >= 0) {
    pango_layout_set_width(layout, ellipsisWidth * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  }
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  FontFace::Cached c;
  c.layout = layout;
  c.width = logical.width;
  c.height = logical.height;
  c.baseline = PANGO_PIXELS(pango_layout_get_baseline(layout));
  return face.layouts.emplace(std::move(key), c).first->second;
}

int textWidth(FontFace& face, const std::string& utf8) {
  if (utf8.empty()) return 0;
  if (auto it = face.layouts.find(utf8); it != face.layouts.end()) return it->second.width;
  if (auto it = face.widths.find(utf8); it != face.widths.end()) return it->second;
  if (!face.scratch) {
    face.scratch = pango_layout_new(pangoContext());
    pango_layout_set_font_description(face.scratch, face.desc);
  }
  pango_layout_set_text(face.scratch, utf8.data(), static_cast<int>(utf8.size()));
  PangoRectangle logical;
  pango_layout_get_pixel_extents(face.scratch, nullptr, &logical);
  if (face.widths.size() >= kWidthCacheLimit) face.widths.clear();
  face.widths.emplace(utf8, logical.width);
  return logical.width;
}

// The alpha mask of a text, made once per text and font.
void ensureMask(FontFace::Cached& c) {
  if (c.mask) return;
  PangoRectangle ink;
  pango_layout_get_pixel_extents(c.layout, &ink, nullptr);
  int w = std::max(1, ink.width + 2), h = std::max(1, ink.height + 2);
  c.mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
  c.maskX = ink.x - 1;
  c.maskY = ink.y - 1;
  cairo_t* cr = cairo_create(c.mask);
  cairo_move_to(cr, -c.maskX, -c.maskY);
  pango_cairo_show_layout(cr, c.layout);
  cairo_destroy(cr);
  cairo_surface_flush(c.mask);
  if (cairo_surface_status(c.mask) == CAIRO_STATUS_SUCCESS)
    c.alpha = AlphaMask{cairo_image_surface_get_data(c.mask), w, h,
                        cairo_image_surface_get_stride(c.mask)};
}

FontFace* currentFace(Dc& dc) {
  GdiObject* f = dc.st.fontRef.get();
  if (!f) return nullptr;
  return &FaceOf(*f);
}

// One line of text with its top-left at (x, top) in logical coordinates, inside
// clip (surface pixels) where one is given.
void drawLine(Dc& dc, FontFace& face, FontFace::Cached& c, int x, int top, int underlineByte,
              const std::string& utf8, const RECT* clip) {
  if (dc.st.bkMode == OPAQUE)
    FillSolid(dc, RECT{x, top, x + c.width, top + face.ascent + face.descent}, dc.st.bk, clip);
  ensureMask(c);
  COLORREF color = dc.st.text;
  // The layout's own baseline goes onto the cell's baseline.
  int layoutTop = top + face.ascent - c.baseline;
  MaskSolid(dc, c.mask, c.alpha, x + dc.origin.x + c.maskX, layoutTop + dc.origin.y + c.maskY, clip, color);
  if (underlineByte >= 0 && underlineByte < static_cast<int>(utf8.size())) {
    PangoRectangle pos;
    pango_layout_index_to_pos(c.layout, underlineByte, &pos);
    int ux = x + PANGO_PIXELS(pos.x);
    int uw = std::max(1, PANGO_PIXELS(pos.width));
    int uy = top + face.ascent + 1;
    FillSolid(dc, RECT{ux, uy, ux + uw, uy + 1}, color, clip);
  }
}

struct Line {
  std::string cp950;
  int prefix = -1;  // byte index of the character a prefix underlines
};

// Removes prefix ampersands: "&&" is one ampersand, "&x" underlines x.
Line stripPrefix(std::string_view s, bool keepUnderline) {
  Line line;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') {
        line.cp950 += '&';
        ++i;
        continue;
      }
      if (i + 1 < s.size() && keepUnderline) line.prefix = static_cast<int>(line.cp950.size());
      continue;
    }
    line.cp950 += s[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size()) line.cp950 += s[++i];
  }
  return line;
}

// The byte index in UTF-8 of a byte index in CP950.
int utf8Index(const std::string& cp950, int index) {
  if (index < 0) return -1;
  return static_cast<int>(Cp950ToUtf8(std::string_view(cp950).substr(0, static_cast<size_t>(index))).size());
}

}  // namespace

namespace headless::detail {

FontFace::~FontFace() {
  Clear();
  if (desc) pango_font_description_free(desc);
}

void FontFace::ClearLayouts() {
  for (auto& [k, c] : layouts) {
    if (c.layout) g_object_unref(c.layout);
    if (c.mask) cairo_surface_destroy(c.mask);
  }
  layouts.clear();
}

void FontFace::Clear() {
  ClearLayouts();
  widths.clear();
  if (scratch) g_object_unref(scratch);
  scratch = nullptr;
}

FontFace& FaceOf(GdiObject& font) {
  if (font.face) return *font.face;
  auto face = std::make_unique<FontFace>();
  const LOGFONTA& lf = font.font;
  int cell = 0;
  if (lf.lfHeight < 0) {
    face->em = -lf.lfHeight;
  } else if (lf.lfHeight > 0) {
    cell = lf.lfHeight;
    face->em = std::max(1, static_cast<int>(std::lround(cell / (kAscent + kDescent))));
  } else {
    face->em = 12;
  }
  if (cell > 0) {
    face->ascent = static_cast<int>(std::lround(cell * kAscent / (kAscent + kDescent)));
    face->descent = cell - face->ascent;
  } else {
    face->ascent = static_cast<int>(std::lround(face->em * kAscent));
    face->descent = static_cast<int>(std::lround(face->em * kDescent));
  }
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, isFixedFace(lf) ? "Noto Sans Mono CJK TC" : "Noto Sans CJK TC");
  pango_font_description_set_absolute_size(d, face->em * PANGO_SCALE);
  pango_font_description_set_weight(d, lf.lfWeight >= FW_SEMIBOLD ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  if (lf.lfItalic) pango_font_description_set_style(d, PANGO_STYLE_ITALIC);
  face->desc = d;
  static const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  int total = textWidth(*face, alphabet);
  face->aveWidth = (total / 26 + 1) / 2;
  face->maxWidth = std::max(face->em, textWidth(*face, "W"));
  face->Clear();
  font.face = std::move(face);
  return *font.face;
}

}  // namespace headless::detail

namespace {
// Kept per window for PaintedTexts; a window that draws without ever painting keeps the latest.
void notePainted(const Dc& dc, const RECT& rect, std::string_view text) {
  constexpr size_t kKept = 8192;
  Window* w = dc.hwnd ? Find(dc.hwnd) : nullptr;
  if (!w) return;
  if (w->painted.size() >= kKept) w->painted.erase(w->painted.begin(), w->painted.begin() + kKept / 2);
  w->painted.emplace_back(rect, std::string(text));
}
}  // namespace

namespace headless {
std::vector<PaintedText> PaintedTexts(HWND hwnd) {
  std::vector<PaintedText> out;
  if (Window* w = Find(hwnd)) {
    for (const auto& [rect, text] : w->painted) out.push_back({rect, text});
  }
  return out;
}
}  // namespace headless

extern "C" {

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
  Dc* dc = FindDc(hdc);
  if (!dc || !tm) return FALSE;
  FontFace* face = currentFace(*dc);
  if (!face) return FALSE;
  const LOGFONTA& lf = dc->st.fontRef->font;
  *tm = TEXTMETRICA{};
  tm->tmAscent = face->ascent;
  tm->tmDescent = face->descent;
  tm->tmHeight = face->ascent + face->descent;
  tm->tmInternalLeading = std::max(0, tm->tmHeight - face->em);
  tm->tmAveCharWidth = face->aveWidth;
  tm->tmMaxCharWidth = face->maxWidth;
  tm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFF;
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmItalic = lf.lfItalic;
  tm->tmUnderlined = lf.lfUnderline;
  tm->tmStruckOut = lf.lfStrikeOut;
  // As Win32 has it, the bit is set for variable pitch.
  tm->tmPitchAndFamily = static_cast<BYTE>((isFixedFace(lf) ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                           TMPF_TRUETYPE | FF_SWISS);
  tm->tmCharSet = CHINESEBIG5_CHARSET;
  return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  Dc* dc = FindDc(hdc);
  if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
  FontFace* face = currentFace(*dc);
  if (!face) return FALSE;
  size->cx = count ? textWidth(*face, Cp950ToUtf8(std::string_view(text, static_cast<size_t>(count)))) : 0;
  size->cy = face->ascent + face->descent;
  return TRUE;
}

int WINAPI GetTextFaceA(HDC hdc, int count, LPSTR name) {
  Dc* dc = FindDc(hdc);
  if (!dc || !dc->st.fontRef) return 0;
  const char* face = dc->st.fontRef->font.lfFaceName;
  int len = static_cast<int>(std::strlen(face));
  if (!name) return len + 1;
  if (count <= 0) return 0;
  lstrcpynA(name, face, count);
  return static_cast<int>(std::strlen(name));
}


BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                        UINT count, const INT*) {
  Dc* dc = FindDc(hdc);
  if (!dc || (count > 0 && !text)) return FALSE;
  if (rect && (options & ETO_OPAQUE)) FillSolid(*dc, *rect, dc->st.bk);
  if (!count) return TRUE;
  FontFace* face = currentFace(*dc);
  if (!face) return FALSE;
  std::string utf8 = Cp950ToUtf8(std::string_view(text, count));
  FontFace::Cached& c = layoutFor(*face, utf8);
  UINT align = dc->st.textAlign;
  if ((align & TA_CENTER) == TA_CENTER)
    x -= c.width / 2;
  else if (align & TA_RIGHT)
    x -= c.width;
  if ((align & TA_BASELINE) == TA_BASELINE)
    y -= face->ascent;
  else if (align & TA_BOTTOM)
    y -= face->ascent + face->descent;
  RECT clip{};
  if (rect && (options & ETO_CLIPPED))
    clip = RECT{rect->left + dc->origin.x, rect->top + dc->origin.y, rect->right + dc->origin.x,
                rect->bottom + dc->origin.y};
  int mode = dc->st.bkMode;
  if (options & ETO_OPAQUE) dc->st.bkMode = TRANSPARENT;  // the rectangle is the background
  drawLine(*dc, *face, c, x, y, -1, utf8, rect && (options & ETO_CLIPPED) ? &clip : nullptr);
  dc->st.bkMode = mode;
  notePainted(*dc, RECT{x, y, x + c.width, y + face->ascent + face->descent}, std::string_view(text, count));
  return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

int WINAPI DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
  Dc* dc = FindDc(hdc);
  if (!dc || !rect || !text) return 0;
  FontFace* face = currentFace(*dc);
  if (!face) return 0;
  std::string_view all(text, count < 0 ? std::strlen(text) : static_cast<size_t>(count));
  const int lineHeight = face->ascent + face->descent;

  // Lines: a CR, an LF or a CR LF ends one, unless the text is a single line.
  std::vector<std::string_view> raw;
  if (format & DT_SINGLELINE) {
    raw.push_back(all);
  } else {
    size_t start = 0;
    for (size_t i = 0; i <= all.size(); ++i) {
      if (i == all.size()) {
        raw.push_back(all.substr(start));
        break;
      }
      if (all[i] == '\r' || all[i] == '\n') {
        raw.push_back(all.substr(start, i - start));
        if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') ++i;
        start = i + 1;
      } else if (IsDBCSLeadByte(static_cast<BYTE>(all[i]))) {
        ++i;
      }
    }
  }
  std::vector<Line> lines;
  lines.reserve(raw.size());
  for (std::string_view r : raw) {
    Line l = (format & DT_NOPREFIX) ? Line{std::string(r), -1}
                                    : stripPrefix(r, !(format & DT_HIDEPREFIX));
    if (format & DT_SINGLELINE)  // line breaks in a single line show as nothing
      l.cp950.erase(std::remove_if(l.cp950.begin(), l.cp950.end(),
                                   [](char ch) { return ch == '\r' || ch == '\n'; }),
                    l.cp950.end());
    if (format & DT_EXPANDTABS) {
      std::string t;
      for (char ch : l.cp950) t += ch == '\t' ? std::string(8 - t.size() % 8, ' ') : std::string(1, ch);
      l.cp950 = t;
    }
    lines.push_back(std::move(l));
  }

  const int width = rect->right - rect->left;
  const bool ellipsisFormat = format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS);
  // Drawing measures a line through its layout; only a rectangle asked for, or an
  // ellipsis to decide, measures first (without making layouts for texts never drawn).
  const bool measure = (format & DT_CALCRECT) || ellipsisFormat;
  std::vector<std::string> utf8(lines.size());
  std::vector<int> widths(lines.size());
  int maxWidth = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    utf8[i] = Cp950ToUtf8(lines[i].cp950);
    if (!measure) continue;
    widths[i] = textWidth(*face, utf8[i]);
    maxWidth = std::max(maxWidth, widths[i]);
  }
  int height = lineHeight * static_cast<int>(lines.size());
  if (format & DT_CALCRECT) {
    rect->right = rect->left + maxWidth;
    rect->bottom = rect->top + height;
    return height;
  }

  int y = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      y = rect->bottom - lineHeight;
  }
  const RECT clip{rect->left + dc->origin.x, rect->top + dc->origin.y,
                  rect->right + dc->origin.x, rect->bottom + dc->origin.y};
  const RECT* clipping = (format & DT_NOCLIP) ? nullptr : &clip;
  for (size_t i = 0; i < lines.size(); ++i, y += lineHeight) {
    if (utf8[i].empty()) continue;
    bool ellipsis = ellipsisFormat && widths[i] > width;
    FontFace::Cached& c = ellipsis ? layoutFor(*face, utf8[i], std::max(width, 0))
                                   : layoutFor(*face, utf8[i]);
    int w = c.width;
    int x = rect->left;
    if (format & DT_CENTER)
      x = rect->left + (width - w) / 2;
    else if (format & DT_RIGHT)
      x = rect->right - w;
    drawLine(*dc, *face, c, x, y, ellipsis ? -1 : utf8Index(lines[i].cp950, lines[i].prefix), utf8[i],
             clipping);
  }
  notePainted(*dc, *rect, all);
  if (format & DT_SINGLELINE && format & (DT_VCENTER | DT_BOTTOM)) return y - rect->top;
  return height;
}

}  // extern "C"
