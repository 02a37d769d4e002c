// The parts of a binary dialog template (DLGTEMPLATE or DLGTEMPLATEEX), with
// its UTF-16 strings converted to the ANSI code page.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace headless::detail {

// A menu or class field: absent, an ordinal, or a name.
struct TemplateName {
  enum class Kind { kNone, kOrdinal, kString };
  Kind kind = Kind::kNone;
  WORD ordinal = 0;
  std::string text;
};

struct TemplateItem {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  TemplateName className;
  TemplateName title;
  // Points at the size WORD that precedes the creation data; null without data.
  const void* creationData = nullptr;
};

struct TemplateFont {
  WORD pointSize = 0;  // 0x7FFF: the message box font, nothing else follows
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::string face;
};

struct ParsedTemplate {
  bool extended = false;
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  TemplateName menu;
  TemplateName className;
  std::string caption;
  bool hasFont = false;
  TemplateFont font;
  std::vector<TemplateItem> items;
};

// False when the template is not well formed. Every read stays within `size`
// bytes (SIZE_MAX when the caller, like Win32's, does not know the size).
bool ParseDialogTemplate(const void* data, std::size_t size, ParsedTemplate* out);

// The class of a predefined control ordinal (0x0080 Button ... 0x0085 ComboBox);
// nullptr for an ordinal that names none.
const char* PredefinedClassName(WORD ordinal);

}  // namespace headless::detail
