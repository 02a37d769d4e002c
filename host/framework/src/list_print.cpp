#include "host/list_print.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define QZ_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define QZ_LSAN 1
#endif
#endif

#include "host/cp950_text.h"
#include "host/list_columns.h"

namespace host {
namespace {

// A4 landscape in points.
constexpr double kPageWidth = 842;
constexpr double kPageHeight = 595;
constexpr double kMargin = 36;
constexpr double kRowHeight = 15;
constexpr double kNameWidth = 120;
constexpr double kMinColumnWidth = 56;

std::string Utf8(const CString& text) { return Cp950ToUtf8ForFile(text.str()); }

struct Column {
  std::string caption;
  double width = kMinColumnWidth;
  char align = 'L';
};

std::vector<Column> Columns(CListCtrl& list, const std::string& letters, size_t firstLetter) {
  std::vector<Column> out;
  CHeaderCtrl* header = list.GetHeaderCtrl();
  const int n = ListColumnCount(list);
  for (int c = 0; c < n; ++c) {
    char text[256] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (header) header->GetItem(c, &item);
    Column col;
    col.caption = Utf8(CString(text));
    col.width = std::clamp(item.cxy * 0.75, kMinColumnWidth, kPageWidth / 3);
    const size_t letter = firstLetter + static_cast<size_t>(c);
    col.align = letter < letters.size() ? letters[letter] : 'R';
    out.push_back(col);
  }
  return out;
}

class Page {
 public:
  explicit Page(cairo_t* cr) : cr_(cr), layout_(pango_cairo_create_layout(cr)) {}
  ~Page() { g_object_unref(layout_); }
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  void Text(const std::string& text, double x, double y, double width, char align, bool bold,
            double size = 8) {
    PangoFontDescription* font = pango_font_description_from_string("Noto Sans CJK TC");
    pango_font_description_set_size(font, static_cast<int>(size * PANGO_SCALE));
    if (bold) pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
    pango_layout_set_font_description(layout_, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout_, text.c_str(), -1);
    pango_layout_set_width(layout_, static_cast<int>((width - 4) * PANGO_SCALE));
    pango_layout_set_ellipsize(layout_, PANGO_ELLIPSIZE_END);
    pango_layout_set_alignment(layout_, align == 'R'   ? PANGO_ALIGN_RIGHT
                                        : align == 'C' ? PANGO_ALIGN_CENTER
                                                       : PANGO_ALIGN_LEFT);
    cairo_move_to(cr_, x + 2, y + 1);
    pango_cairo_show_layout(cr_, layout_);
  }

 private:
  cairo_t* cr_;
  PangoLayout* layout_;
};

}  // namespace

std::string PrintListsToPdf(const std::string& path, CListCtrl& grid, CListCtrl& names,
                            const CString& title, const CString& align,
                            const CBaseOrder_UserInfo* user) {
  const int rows = grid.GetItemCount();
  if (rows <= 0) return "nothing to print";
  const std::string letters = align.str();
  const bool hasNames = ListColumnCount(names) > 0;
  // The name column first, then the grid's columns.
  const std::vector<Column> columns = Columns(grid, letters, hasNames ? 1 : 0);
  if (columns.empty()) return "nothing to print";
  const char nameAlign = !letters.empty() ? letters[0] : 'L';
  std::vector<ListHeaderGroup> groups = ListHeaderGroups(grid);
  std::erase_if(groups, [&](const ListHeaderGroup& g) {
    return g.first < 0 || static_cast<size_t>(g.last) >= columns.size();
  });
  std::string nameCaption;
  if (hasNames) nameCaption = Columns(names, "", 0).front().caption;

  // Bands of columns that fit beside the repeated name column.
  const double usable = kPageWidth - 2 * kMargin - (hasNames ? kNameWidth : 0);
  std::vector<std::pair<size_t, size_t>> bands;  // [first, last)
  for (size_t first = 0; first < columns.size();) {
    size_t last = first;
    double width = 0;
    while (last < columns.size() && (last == first || width + columns[last].width <= usable))
      width += columns[last++].width;
    bands.emplace_back(first, last);
    first = last;
  }
  const double top = kMargin + (user ? 3 : 2) * kRowHeight + 6;
  const int perPage =
      std::max(1, static_cast<int>((kPageHeight - top - kMargin - kRowHeight) / kRowHeight) - 1);
  const int rowPages = (rows + perPage - 1) / perPage;
  const int pages = rowPages * static_cast<int>(bands.size());

  cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), kPageWidth, kPageHeight);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    const std::string why = cairo_status_to_string(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return why;
  }
  cairo_t* cr = cairo_create(surface);
  {
    Page page(cr);
    const std::string titleText = Utf8(title);
    std::string userLine;
    if (user)
      userLine = Utf8("帳號: " + user->m_strAccount + "  姓名: " + user->m_strUserName);
    int number = 0;
    for (const auto& [first, last] : bands) {
      for (int start = 0; start < rows; start += perPage) {
        ++number;
        cairo_set_source_rgb(cr, 0, 0, 0);
        double y = kMargin;
        page.Text(titleText, kMargin, y, kPageWidth - 2 * kMargin, 'C', true, 12);
        y += kRowHeight + 6;
        if (user) {
          page.Text(userLine, kMargin, y, kPageWidth - 2 * kMargin, 'L', false);
          y += kRowHeight;
        }
        // The group captions sit in the row above the column captions, over the part of
        // each group that falls on this page.
        for (const ListHeaderGroup& group : groups) {
          const size_t from = std::max(first, static_cast<size_t>(group.first));
          const size_t to = std::min(last, static_cast<size_t>(group.last) + 1);
          if (from >= to) continue;
          double left = kMargin + (hasNames ? kNameWidth : 0);
          for (size_t c = first; c < from; ++c) left += columns[c].width;
          double width = 0;
          for (size_t c = from; c < to; ++c) width += columns[c].width;
          page.Text(Utf8(group.caption), left, y, width, 'C', true);
        }
        y += kRowHeight;
        auto line = [&](double at) {
          cairo_set_line_width(cr, 0.5);
          cairo_move_to(cr, kMargin, at);
          cairo_line_to(cr, kPageWidth - kMargin, at);
          cairo_stroke(cr);
        };
        double x = kMargin;
        if (hasNames) {
          page.Text(nameCaption, x, y, kNameWidth, 'C', true);
          x += kNameWidth;
        }
        for (size_t c = first; c < last; ++c) {
          page.Text(columns[c].caption, x, y, columns[c].width, 'C', true);
          x += columns[c].width;
        }
        y += kRowHeight;
        line(y);
        for (int r = start; r < std::min(rows, start + perPage); ++r, y += kRowHeight) {
          x = kMargin;
          if (hasNames) {
            page.Text(Utf8(names.GetItemText(r, 0)), x, y, kNameWidth, nameAlign, false);
            x += kNameWidth;
          }
          for (size_t c = first; c < last; ++c) {
            page.Text(Utf8(grid.GetItemText(r, static_cast<int>(c))), x, y, columns[c].width,
                      columns[c].align, false);
            x += columns[c].width;
          }
        }
        line(y);
        page.Text(std::to_string(number) + " / " + std::to_string(pages), kMargin,
                  kPageHeight - kMargin, kPageWidth - 2 * kMargin, 'C', false);
        cairo_show_page(cr);
      }
    }
  }
  cairo_destroy(cr);
  {
    // cairo 1.16 loses a few hundred bytes per file while it writes the subset of a CFF font
    // (the CJK one) here. Not ours to free: the leak checker looks away for this call only.
#ifdef QZ_LSAN
    __lsan::ScopedDisabler cairoFontSubsetLoss;
#endif
    cairo_surface_finish(surface);
  }
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) return cairo_status_to_string(status);
  return {};
}

}  // namespace host
