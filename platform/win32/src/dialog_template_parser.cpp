// Reading binary dialog templates exactly as Win32 lays them out: a fixed
// header, WORD-aligned variable fields, and DWORD-aligned items.
#include "dialog_template_parser.h"

#include <cstdint>
#include <cstring>

namespace headless::detail {
namespace {

constexpr WORD kOrdinalMarker = 0xFFFF;
constexpr WORD kExtendedSignature = 0xFFFF;
constexpr WORD kExtendedVersion = 1;

// A bounded cursor over the template bytes.
class Reader {
 public:
  Reader(const unsigned char* base, std::size_t size) : base_(base), size_(size) {}

  bool ok() const { return ok_; }
  const unsigned char* here() const { return base_ + pos_; }

  WORD word() { return read<WORD>(); }
  DWORD dword() { return read<DWORD>(); }
  short shortValue() { return static_cast<short>(read<WORD>()); }
  BYTE byte() { return read<BYTE>(); }

  void skip(std::size_t n) {
    if (!ok_ || n > size_ - pos_) {
      ok_ = false;
      return;
    }
    pos_ += n;
  }

  // Win32 aligns on the address, not on the offset from the template's start.
  void alignDword() {
    auto address = reinterpret_cast<std::uintptr_t>(base_ + pos_);
    skip(static_cast<std::size_t>(((address + 3) & ~std::uintptr_t{3}) - address));
  }

  // A NUL-terminated UTF-16 string, converted to the ANSI code page.
  std::string string() {
    std::vector<WCHAR> wide;
    for (;;) {
      WORD c = word();
      if (!ok_) return {};
      if (c == 0) break;
      wide.push_back(static_cast<WCHAR>(c));
    }
    return narrow(wide);
  }

  // A field that is 0x0000 (none), 0xFFFF and an ordinal, or a string.
  TemplateName name() {
    TemplateName n;
    WORD first = word();
    if (!ok_ || first == 0) return n;
    if (first == kOrdinalMarker) {
      n.kind = TemplateName::Kind::kOrdinal;
      n.ordinal = word();
      return n;
    }
    pos_ -= sizeof(WORD);
    n.kind = TemplateName::Kind::kString;
    n.text = string();
    return n;
  }

 private:
  template <class T>
  T read() {
    T v{};
    if (!ok_ || sizeof(T) > size_ - pos_) {
      ok_ = false;
      return v;
    }
    std::memcpy(&v, base_ + pos_, sizeof(T));
    pos_ += sizeof(T);
    return v;
  }

  static std::string narrow(const std::vector<WCHAR>& wide) {
    if (wide.empty()) return {};
    const int n = static_cast<int>(wide.size());
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, out.data(), bytes, nullptr, nullptr);
    out.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    return out;
  }

  const unsigned char* base_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

bool parseItem(Reader& r, bool extended, TemplateItem* item) {
  r.alignDword();
  if (extended) {
    item->helpId = r.dword();
    item->exStyle = r.dword();
    item->style = r.dword();
  } else {
    item->style = r.dword();
    item->exStyle = r.dword();
  }
  item->x = r.shortValue();
  item->y = r.shortValue();
  item->cx = r.shortValue();
  item->cy = r.shortValue();
  item->id = extended ? r.dword() : r.word();
  item->className = r.name();
  item->title = r.name();
  const unsigned char* sizeWord = r.here();
  WORD extra = r.word();
  if (extra) {
    item->creationData = sizeWord;
    r.skip(extra);
  }
  return r.ok();
}

}  // namespace

bool ParseDialogTemplate(const void* data, std::size_t size, ParsedTemplate* out) {
  if (!data || !out) return false;
  *out = ParsedTemplate{};
  Reader r(static_cast<const unsigned char*>(data), size);
  const WORD first = r.word();
  const WORD second = r.word();
  if (!r.ok()) return false;
  if (second == kExtendedSignature) {
    // A version other than 1 is no template Win32 knows how to read.
    if (first != kExtendedVersion) return false;
    out->extended = true;
    out->helpId = r.dword();
    out->exStyle = r.dword();
    out->style = r.dword();
  } else {
    out->style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
    out->exStyle = r.dword();
  }
  const WORD count = r.word();
  out->x = r.shortValue();
  out->y = r.shortValue();
  out->cx = r.shortValue();
  out->cy = r.shortValue();
  out->menu = r.name();
  out->className = r.name();
  out->caption = r.string();
  if (out->style & DS_SETFONT) {
    out->hasFont = true;
    out->font.pointSize = r.word();
    if (out->font.pointSize != 0x7FFF) {
      if (out->extended) {
        out->font.weight = r.word();
        out->font.italic = r.byte();
        out->font.charset = r.byte();
      }
      out->font.face = r.string();
    }
  }
  if (!r.ok()) return false;
  out->items.resize(count);
  for (TemplateItem& item : out->items)
    if (!parseItem(r, out->extended, &item)) return false;
  return true;
}

const char* PredefinedClassName(WORD ordinal) {
  static const char* const kNames[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar",
                                       "ComboBox"};
  // Win32 reads 0x0000-0x0005 as 0x0080-0x0085.
  if (ordinal >= 0x0080 && ordinal <= 0x0085) ordinal -= 0x0080;
  return ordinal <= 5 ? kNames[ordinal] : nullptr;
}

}  // namespace headless::detail
