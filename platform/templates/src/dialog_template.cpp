// Serialising dialog templates and DLGINIT data.
#include "templates/dialog_template.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace templates {
namespace {

constexpr UINT kCodePage = 950;
constexpr WORD kLbAddString16 = 0x0401;
constexpr WORD kCbAddString16 = 0x0403;
constexpr DWORD kMaxDlgInitString = 0x8000;

// Little-endian bytes, the order Win32 reads them in.
class Writer {
 public:
  void word(WORD v) {
    bytes_.push_back(static_cast<BYTE>(v & 0xFF));
    bytes_.push_back(static_cast<BYTE>(v >> 8));
  }
  void dword(DWORD v) {
    word(static_cast<WORD>(v & 0xFFFF));
    word(static_cast<WORD>(v >> 16));
  }
  void shortValue(short v) { word(static_cast<WORD>(v)); }
  void byte(BYTE v) { bytes_.push_back(v); }
  void raw(const void* data, std::size_t n) {
    const BYTE* p = static_cast<const BYTE*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
  }
  void alignDword() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }

  // A CP950 string as NUL-terminated UTF-16.
  void string(const std::string& text) {
    if (!text.empty()) {
      const int n = static_cast<int>(text.size());
      int units = MultiByteToWideChar(kCodePage, 0, text.data(), n, nullptr, 0);
      if (units > 0) {
        std::vector<WCHAR> wide(static_cast<std::size_t>(units));
        units = MultiByteToWideChar(kCodePage, 0, text.data(), n, wide.data(), units);
        for (int i = 0; i < units; ++i) word(static_cast<WORD>(wide[static_cast<std::size_t>(i)]));
      }
    }
    word(0);
  }
  void ordinal(WORD v) {
    word(0xFFFF);
    word(v);
  }

  std::size_t size() const { return bytes_.size(); }
  const std::vector<BYTE>& bytes() const { return bytes_; }

 private:
  std::vector<BYTE> bytes_;
};

void writeItem(Writer& w, const DialogItem& item, bool extended) {
  w.alignDword();
  if (extended) {
    w.dword(item.helpId);
    w.dword(item.exStyle);
    w.dword(item.style);
  } else {
    w.dword(item.style);
    w.dword(item.exStyle);
  }
  w.shortValue(item.rect.x);
  w.shortValue(item.rect.y);
  w.shortValue(item.rect.cx);
  w.shortValue(item.rect.cy);
  if (extended)
    w.dword(static_cast<DWORD>(item.id));
  else
    w.word(static_cast<WORD>(item.id));
  if (item.className.empty())
    w.ordinal(static_cast<WORD>(item.predefined));
  else
    w.string(item.className);
  w.string(item.text);
  // The count is of the bytes that follow it, in both formats.
  w.word(static_cast<WORD>(item.creationData.size()));
  w.raw(item.creationData.data(), item.creationData.size());
}

template <class T>
T readAt(const BYTE* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

DialogItem::DialogItem(Predefined cls, std::string text, int id, DWORD style, DluRect rect,
                       DWORD exStyle)
    : predefined(cls), text(std::move(text)), id(id), style(style), exStyle(exStyle), rect(rect) {}

DialogItem::DialogItem(std::string className, std::string text, int id, DWORD style,
                       DluRect rect, DWORD exStyle)
    : className(std::move(className)),
      text(std::move(text)),
      id(id),
      style(style),
      exStyle(exStyle),
      rect(rect) {}

DialogTemplate::DialogTemplate(std::string caption, DWORD style, DluRect rect, DWORD exStyle)
    : caption(std::move(caption)), style(style), exStyle(exStyle), rect(rect) {}

DialogTemplate& DialogTemplate::SetFont(int pointSize, std::string face, WORD weight, bool italic,
                                        BYTE charset) {
  font = DialogFont{pointSize, std::move(face), weight, italic, charset};
  return *this;
}

DialogTemplate& DialogTemplate::ClearFont() {
  font.reset();
  return *this;
}

DialogTemplate& DialogTemplate::SetFormat(Format f) {
  format = f;
  return *this;
}

DialogTemplate& DialogTemplate::SetClassName(std::string name) {
  className = std::move(name);
  return *this;
}

DialogTemplate& DialogTemplate::Add(DialogItem item) {
  items.push_back(std::move(item));
  return *this;
}

void DialogTemplate::build() const {
  const bool extended = format == Format::kExtended;
  const DWORD dialogStyle = font ? (style | DS_SETFONT) : (style & ~static_cast<DWORD>(DS_SETFONT));
  Writer w;
  if (extended) {
    w.word(1);       // version
    w.word(0xFFFF);  // signature
    w.dword(helpId);
    w.dword(exStyle);
    w.dword(dialogStyle);
  } else {
    w.dword(dialogStyle);
    w.dword(exStyle);
  }
  w.word(static_cast<WORD>(items.size()));
  w.shortValue(rect.x);
  w.shortValue(rect.y);
  w.shortValue(rect.cx);
  w.shortValue(rect.cy);
  w.word(0);  // no menu
  if (className.empty())
    w.word(0);
  else
    w.string(className);
  w.string(caption);
  if (font) {
    w.word(static_cast<WORD>(font->pointSize));
    if (extended) {
      w.word(font->weight);
      w.byte(font->italic ? 1 : 0);
      w.byte(font->charset);
    }
    w.string(font->face);
  }
  for (const DialogItem& item : items) writeItem(w, item, extended);

  size_ = w.size();
  bytes_.assign((size_ + 3) / 4, 0);
  std::memcpy(bytes_.data(), w.bytes().data(), size_);
}

const DLGTEMPLATE* DialogTemplate::Get() const {
  build();
  return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
}

std::size_t DialogTemplate::Size() const {
  build();
  return size_;
}

DlgInit& DlgInit::Add(WORD controlId, std::string text, UINT message) {
  entries.push_back(DlgInitEntry{controlId, message, std::move(text)});
  return *this;
}

const void* DlgInit::Get() const {
  Writer w;
  for (const DlgInitEntry& e : entries) {
    WORD message = static_cast<WORD>(e.message);
    if (e.message == CB_ADDSTRING) message = kCbAddString16;
    if (e.message == LB_ADDSTRING) message = kLbAddString16;
    w.word(e.controlId);
    w.word(message);
    w.dword(static_cast<DWORD>(e.text.size() + 1));
    w.raw(e.text.c_str(), e.text.size() + 1);
  }
  w.word(0);
  bytes_ = w.bytes();
  return bytes_.data();
}

std::size_t DlgInit::Size() const {
  Get();
  return bytes_.size();
}

bool ExecuteDlgInit(HWND dialog, const void* dlgInit) {
  return ExecuteDlgInit(dialog, dlgInit, SIZE_MAX);
}

bool ExecuteDlgInit(HWND dialog, const void* dlgInit, std::size_t size) {
  if (!dlgInit) return true;  // nothing to add
  if (!IsWindow(dialog)) return false;
  const BYTE* p = static_cast<const BYTE*>(dlgInit);
  std::size_t left = size;
  for (;;) {
    if (left < sizeof(WORD)) return false;
    const WORD id = readAt<WORD>(p);
    if (id == 0) return true;
    if (left < 2 * sizeof(WORD) + sizeof(DWORD)) return false;
    UINT message = readAt<WORD>(p + 2);
    const DWORD length = readAt<DWORD>(p + 4);
    p += 8;
    left -= 8;
    if (message == kCbAddString16) message = CB_ADDSTRING;
    if (message == kLbAddString16) message = LB_ADDSTRING;
    if (message != CB_ADDSTRING && message != LB_ADDSTRING) return false;
    if (length == 0 || length > kMaxDlgInitString || length > left) return false;
    if (p[length - 1] != 0) return false;  // the control would read past the entry
    LRESULT r = SendDlgItemMessageA(dialog, id, message, 0, reinterpret_cast<LPARAM>(p));
    if (r == CB_ERR || r == CB_ERRSPACE) return false;
    p += length;
    left -= length;
  }
}

}  // namespace templates
