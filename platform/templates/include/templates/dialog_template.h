// Dialog templates and DLGINIT data built in memory, laid out byte for byte as
// the resource compiler lays them out, from CP950 texts. Uses only the Win32
// API, so the same code serves the headless backend and real Windows.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace templates {

// Position and size in dialog units.
struct DluRect {
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
};

// The predefined control classes a template names by ordinal.
enum class Predefined : WORD {
  kButton = 0x0080,
  kEdit = 0x0081,
  kStatic = 0x0082,
  kListBox = 0x0083,
  kScrollBar = 0x0084,
  kComboBox = 0x0085,
};

struct DialogItem {
  DialogItem() = default;
  DialogItem(Predefined cls, std::string text, int id, DWORD style, DluRect rect,
             DWORD exStyle = 0);
  DialogItem(std::string className, std::string text, int id, DWORD style, DluRect rect,
             DWORD exStyle = 0);

  Predefined predefined = Predefined::kStatic;
  std::string className;  // a registered class; when set, used instead of `predefined`
  std::string text;       // CP950
  int id = 0;
  DWORD style = 0;  // as given: include WS_CHILD | WS_VISIBLE for a visible control
  DWORD exStyle = 0;
  DluRect rect;
  DWORD helpId = 0;
  std::vector<BYTE> creationData;  // handed to the control's WM_CREATE
};

struct DialogFont {
  int pointSize = 9;
  std::string face;  // CP950
  WORD weight = 0;   // FW_DONTCARE
  bool italic = false;
  BYTE charset = 1;  // DEFAULT_CHARSET
};

class DialogTemplate {
 public:
  enum class Format { kExtended, kClassic };  // DLGTEMPLATEEX or DLGTEMPLATE

  DialogTemplate() = default;
  DialogTemplate(std::string caption, DWORD style, DluRect rect, DWORD exStyle = 0);

  // DS_SETFONT follows the font: set with one, cleared without.
  DialogTemplate& SetFont(int pointSize, std::string face, WORD weight = 0, bool italic = false,
                          BYTE charset = 1);
  DialogTemplate& ClearFont();
  DialogTemplate& SetFormat(Format format);
  DialogTemplate& SetClassName(std::string className);  // empty: the dialog class
  DialogTemplate& Add(DialogItem item);

  std::string caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  DluRect rect;
  DWORD helpId = 0;
  std::optional<DialogFont> font;
  std::vector<DialogItem> items;
  Format format = Format::kExtended;
  std::string className;

  // The binary template of the current fields, DWORD-aligned; valid until the
  // next call or until the template goes.
  const DLGTEMPLATE* Get() const;
  // Its length in bytes.
  std::size_t Size() const;

 private:
  void build() const;
  mutable std::vector<DWORD> bytes_;  // DWORDs keep the start aligned
  mutable std::size_t size_ = 0;
};

// One string for a list or combo box, as the resource editor records it.
struct DlgInitEntry {
  WORD controlId = 0;
  UINT message = CB_ADDSTRING;  // or LB_ADDSTRING
  std::string text;             // CP950
};

// DLGINIT data: per entry a WORD id, a WORD message, a DWORD length and the
// NUL-terminated string (unaligned), then a WORD 0. CB_ADDSTRING and
// LB_ADDSTRING are written in their 16-bit numbers (0x0403, 0x0401) as the
// resource editor writes them.
class DlgInit {
 public:
  DlgInit& Add(WORD controlId, std::string text, UINT message = CB_ADDSTRING);

  std::vector<DlgInitEntry> entries;

  const void* Get() const;
  std::size_t Size() const;

 private:
  mutable std::vector<BYTE> bytes_;
};

// Sends each entry of DLGINIT data to its control as the framework's dialog
// initialisation does. Accepts both the 32-bit and the 16-bit message numbers.
// Returns false, stopping there, at a malformed entry (an unknown message, a
// length of 0 or over 32 KB, a string not NUL-terminated within its length) or
// when a control refuses a string (CB_ERR, CB_ERRSPACE); a missing control is
// skipped, as the framework does. The sized form never reads past `size` bytes.
bool ExecuteDlgInit(HWND dialog, const void* dlgInit);
bool ExecuteDlgInit(HWND dialog, const void* dlgInit, std::size_t size);

}  // namespace templates
