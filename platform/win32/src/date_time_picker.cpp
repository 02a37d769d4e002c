// The date and time picker (SysDateTimePick32): a date shown through a format,
// changed field by field with the keyboard, optionally with a "no date" box.
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "backend.h"
#include "dbcs_text.h"

using namespace headless::detail;

namespace {

// The earliest and latest dates the control accepts at all.
constexpr SYSTEMTIME kMinDate{1752, 9, 0, 14, 0, 0, 0, 0};
constexpr SYSTEMTIME kMaxDate{9999, 12, 0, 31, 23, 59, 59, 999};
constexpr int kCheckBoxWidth = 16;

enum class Field { kNone, kYear, kMonth, kDay, kHour12, kHour24, kMinute, kSecond, kAmPm };

// One piece of a format: a field and how many letters spelled it, or literal text.
struct Token {
  Field field = Field::kNone;
  int letters = 0;
  std::string text;  // literal text, or the weekday for ddd / dddd
  bool weekday = false;
};

struct PickerState : ControlState {
  SYSTEMTIME date{};
  bool valid = true;
  std::string format;  // empty: the default of the style
  int field = -1;      // index of the editable field keys act on; -1: none yet
  std::string typed;   // digits typed into the field so far
  bool focused = false;
  bool hasMin = false, hasMax = false;
  SYSTEMTIME min{}, max{};
  HFONT font = nullptr;
};

// Formats of the Traditional Chinese (Taiwan) locale.
std::string defaultFormat(DWORD style) {
  if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT) return "tt hh:mm:ss";
  if (style & DTS_LONGDATEFORMAT) return "yyyy'年'M'月'd'日'";
  return "yyyy/M/d";
}

std::vector<Token> parse(const std::string& f) {
  std::vector<Token> out;
  auto literal = [&](const std::string& t) {
    if (!out.empty() && out.back().field == Field::kNone && !out.back().weekday)
      out.back().text += t;
    else
      out.push_back(Token{Field::kNone, 0, t, false});
  };
  for (std::size_t i = 0; i < f.size();) {
    const char c = f[i];
    if (IsLead(c)) {
      const std::size_t next = NextCharPos(f, i);
      literal(f.substr(i, next - i));
      i = next;
      continue;
    }
    if (c == '\'') {
      const std::size_t end = f.find('\'', i + 1);
      literal(f.substr(i + 1, (end == std::string::npos ? f.size() : end) - i - 1));
      i = end == std::string::npos ? f.size() : end + 1;
      continue;
    }
    std::size_t j = i;
    while (j < f.size() && f[j] == c) ++j;
    const int n = static_cast<int>(j - i);
    Token t{Field::kNone, n, "", false};
    switch (c) {
      case 'y': t.field = Field::kYear; break;
      case 'M': t.field = Field::kMonth; break;
      case 'd':
        if (n >= 3)
          t.weekday = true;
        else
          t.field = Field::kDay;
        break;
      case 'h': t.field = Field::kHour12; break;
      case 'H': t.field = Field::kHour24; break;
      case 'm': t.field = Field::kMinute; break;
      case 's': t.field = Field::kSecond; break;
      case 't': t.field = Field::kAmPm; break;
      default:
        literal(f.substr(i, j - i));
        i = j;
        continue;
    }
    out.push_back(t);
    i = j;
  }
  return out;
}

std::string pad(int v, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, v);
  return buf;
}

std::string render(const PickerState* s, DWORD style) {
  static const char* const kShortDays[] = {"週日", "週一", "週二", "週三", "週四", "週五", "週六"};
  static const char* const kLongDays[] = {"星期日", "星期一", "星期二", "星期三",
                                          "星期四", "星期五", "星期六"};
  static const char* const kMonths[] = {"一月", "二月", "三月", "四月",   "五月",   "六月",
                                        "七月", "八月", "九月", "十月", "十一月", "十二月"};
  const SYSTEMTIME& d = s->date;
  std::string out;
  for (const Token& t : parse(s->format.empty() ? defaultFormat(style) : s->format)) {
    if (t.weekday) {
      out += (t.letters == 3 ? kShortDays : kLongDays)[d.wDayOfWeek % 7];
      continue;
    }
    const int n = t.letters;
    switch (t.field) {
      case Field::kNone: out += t.text; break;
      case Field::kYear:
        out += n <= 2 ? pad(d.wYear % 100, n) : pad(d.wYear, n == 3 ? 1 : 4);
        break;
      case Field::kMonth:
        out += n >= 3 ? std::string(kMonths[(d.wMonth + 11) % 12]) : pad(d.wMonth, n);
        break;
      case Field::kDay: out += pad(d.wDay, n); break;
      case Field::kHour12: out += pad(d.wHour % 12 == 0 ? 12 : d.wHour % 12, n); break;
      case Field::kHour24: out += pad(d.wHour, n); break;
      case Field::kMinute: out += pad(d.wMinute, n); break;
      case Field::kSecond: out += pad(d.wSecond, n); break;
      case Field::kAmPm: out += d.wHour < 12 ? "上午" : "下午"; break;
    }
  }
  return out;
}

std::vector<Field> editableFields(const PickerState* s, DWORD style) {
  std::vector<Field> out;
  for (const Token& t : parse(s->format.empty() ? defaultFormat(style) : s->format))
    if (t.field != Field::kNone) out.push_back(t.field);
  return out;
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int monthLength(int month, int year) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// 0 = Sunday, from the proleptic Gregorian calendar.
WORD dayOfWeek(int y, int m, int d) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) y -= 1;
  return static_cast<WORD>((y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7);
}

bool wellFormed(const SYSTEMTIME& t) {
  return t.wYear != 0 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= monthLength(t.wMonth, t.wYear) && t.wHour <= 23 && t.wMinute <= 59 &&
         t.wSecond <= 59 && t.wMilliseconds <= 999;
}

// Orders dates by their date and time, ignoring the day of the week.
int compare(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  const WORD SYSTEMTIME::*parts[] = {&SYSTEMTIME::wYear,   &SYSTEMTIME::wMonth,
                                     &SYSTEMTIME::wDay,    &SYSTEMTIME::wHour,
                                     &SYSTEMTIME::wMinute, &SYSTEMTIME::wSecond,
                                     &SYSTEMTIME::wMilliseconds};
  for (auto p : parts)
    if (a.*p != b.*p) return a.*p < b.*p ? -1 : 1;
  return 0;
}

bool inAllowedRange(const PickerState* s, const SYSTEMTIME& t) {
  if (compare(t, kMinDate) < 0 || compare(t, kMaxDate) > 0) return false;
  if (s->hasMin && compare(t, s->min) < 0) return false;
  if (s->hasMax && compare(t, s->max) > 0) return false;
  return true;
}

void notifyChange(HWND hwnd) {
  PickerState* s = Control<PickerState>(hwnd);
  Window* w = Find(hwnd);
  if (!s || !w || !w->parent) return;
  NMDATETIMECHANGE nm{};
  nm.nmhdr.hwndFrom = hwnd;
  nm.nmhdr.idFrom = w->id;
  nm.nmhdr.code = DTN_DATETIMECHANGE;
  nm.dwFlags = s->valid ? GDT_VALID : GDT_NONE;
  nm.st = s->date;
  SendMessageA(w->parent, WM_NOTIFY, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(&nm));
}

void notifySimple(HWND hwnd, UINT code) {
  Window* w = Find(hwnd);
  if (!w || !w->parent) return;
  NMHDR nm{hwnd, w->id, code};
  SendMessageA(w->parent, WM_NOTIFY, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(&nm));
}

int wrap(int v, int delta, int lo, int hi) {
  const int span = hi - lo + 1;
  return lo + (((v - lo + delta) % span) + span) % span;
}

// The date after a key moved one field: every field wraps round within its range.
SYSTEMTIME stepped(SYSTEMTIME d, Field f, int delta) {
  switch (f) {
    case Field::kYear: d.wYear = static_cast<WORD>(wrap(d.wYear, delta, kMinDate.wYear, kMaxDate.wYear)); break;
    case Field::kMonth: d.wMonth = static_cast<WORD>(wrap(d.wMonth, delta, 1, 12)); break;
    case Field::kDay: d.wDay = static_cast<WORD>(wrap(d.wDay, delta, 1, monthLength(d.wMonth, d.wYear))); break;
    case Field::kHour12:
    case Field::kHour24: d.wHour = static_cast<WORD>(wrap(d.wHour, delta, 0, 23)); break;
    case Field::kMinute: d.wMinute = static_cast<WORD>(wrap(d.wMinute, delta, 0, 59)); break;
    case Field::kSecond: d.wSecond = static_cast<WORD>(wrap(d.wSecond, delta, 0, 59)); break;
    case Field::kAmPm: d.wHour = static_cast<WORD>((d.wHour + 12) % 24); break;
    case Field::kNone: break;
  }
  const int last = monthLength(d.wMonth, d.wYear);
  if (d.wDay > last) d.wDay = static_cast<WORD>(last);
  return d;
}

// Takes a date a person made; tells the parent when it differs.
void apply(HWND hwnd, PickerState* s, SYSTEMTIME d) {
  // Typing passes through impossible dates (month 0 on the way to 04): they are refused
  // before anything is worked out from them.
  if (!wellFormed(d) || !inAllowedRange(s, d) || compare(d, s->date) == 0) return;
  d.wDayOfWeek = dayOfWeek(d.wYear, d.wMonth, d.wDay);
  s->date = d;
  InvalidateRect(hwnd, nullptr, TRUE);
  notifyChange(hwnd);
}

void typeDigit(HWND hwnd, PickerState* s, Field f, char digit) {
  s->typed += digit;
  const int value = std::stoi(s->typed);
  SYSTEMTIME d = s->date;
  std::size_t complete = 2;
  switch (f) {
    case Field::kYear:
      complete = 4;
      if (s->typed.size() == 4) d.wYear = static_cast<WORD>(value);
      break;
    case Field::kMonth: d.wMonth = static_cast<WORD>(value); break;
    case Field::kDay: d.wDay = static_cast<WORD>(value); break;
    case Field::kHour12:
    case Field::kHour24: d.wHour = static_cast<WORD>(value); break;
    case Field::kMinute: d.wMinute = static_cast<WORD>(value); break;
    case Field::kSecond: d.wSecond = static_cast<WORD>(value); break;
    default: s->typed.clear(); return;
  }
  if (s->typed.size() >= complete) s->typed.clear();
  if (d.wDay > monthLength(d.wMonth, d.wYear) && f != Field::kDay)
    d.wDay = static_cast<WORD>(monthLength(d.wMonth, d.wYear));
  apply(hwnd, s, d);
}

void toggleNone(HWND hwnd, PickerState* s) {
  s->valid = !s->valid;
  InvalidateRect(hwnd, nullptr, TRUE);
  notifyChange(hwnd);
}

LRESULT CALLBACK PickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  PickerState* s = EnsureControl<PickerState>(hwnd);
  Window* w = Find(hwnd);
  if (!s || !w) return 0;
  const DWORD style = w->style;
  switch (msg) {
    case WM_CREATE:
      GetLocalTime(&s->date);
      s->valid = true;
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
    case WM_GETFONT: {
      LRESULT result = 0;
      FontMessage(hwnd, &s->font, msg, wParam, lParam, &result);
      return result;
    }
    case WM_GETTEXT:
      return CopyOut(render(s, style), reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(render(s, style).size());
    case WM_SETFOCUS:
      if (!s->focused) {
        s->focused = true;
        InvalidateRect(hwnd, nullptr, FALSE);
        notifySimple(hwnd, NM_SETFOCUS);
      }
      return 0;
    case WM_KILLFOCUS:
      // The next focus starts with no field chosen again.
      s->typed.clear();
      s->field = -1;
      if (s->focused) {
        s->focused = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        notifySimple(hwnd, NM_KILLFOCUS);
      }
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      if ((s = Control<PickerState>(hwnd)) != nullptr && (style & DTS_SHOWNONE) &&
          static_cast<short>(LOWORD(lParam)) < kCheckBoxWidth)
        toggleNone(hwnd, s);
      return 0;
    case WM_KEYDOWN: {
      if ((style & DTS_SHOWNONE) && wParam == VK_SPACE) {
        toggleNone(hwnd, s);
        return 0;
      }
      if (!s->valid) return 0;
      const std::vector<Field> fields = editableFields(s, style);
      if (fields.empty()) return 0;
      const int n = static_cast<int>(fields.size());
      // No field is chosen until an arrow picks one: right the first, left the last.
      if (s->field >= n) s->field = n - 1;
      if (s->field < 0 && wParam != VK_LEFT && wParam != VK_RIGHT) return 0;
      switch (wParam) {
        case VK_LEFT:
          s->typed.clear();
          s->field = s->field < 0 ? n - 1 : (s->field + n - 1) % n;
          InvalidateRect(hwnd, nullptr, FALSE);
          return 0;
        case VK_RIGHT:
          s->typed.clear();
          s->field = s->field < 0 ? 0 : (s->field + 1) % n;
          InvalidateRect(hwnd, nullptr, FALSE);
          return 0;
        default:
          break;
      }
      const Field f = fields[static_cast<std::size_t>(s->field)];
      switch (wParam) {
        case VK_UP:
        case VK_ADD:
          s->typed.clear();
          apply(hwnd, s, stepped(s->date, f, 1));
          break;
        case VK_DOWN:
        case VK_SUBTRACT:
          s->typed.clear();
          apply(hwnd, s, stepped(s->date, f, -1));
          break;
        default:
          break;
      }
      return 0;
    }
    case WM_CHAR:
      if (s->valid && wParam >= '0' && wParam <= '9') {
        const std::vector<Field> fields = editableFields(s, style);
        if (!fields.empty() && s->field >= 0) {
          s->field = std::min(s->field, static_cast<int>(fields.size()) - 1);
          typeDigit(hwnd, s, fields[static_cast<std::size_t>(s->field)], static_cast<char>(wParam));
        }
      }
      return 0;
    case DTM_GETSYSTEMTIME: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out) return GDT_NONE;
      if ((style & DTS_SHOWNONE) && !s->valid) return GDT_NONE;
      *out = s->date;
      return GDT_VALID;
    }
    case DTM_SETSYSTEMTIME: {
      const auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
      if (wParam == GDT_VALID) {
        if (!in || !wellFormed(*in)) return FALSE;
        // A well-formed date outside the range is refused, yet reported as done.
        if (!inAllowedRange(s, *in)) return TRUE;
        s->date = *in;
        s->date.wDayOfWeek = dayOfWeek(in->wYear, in->wMonth, in->wDay);
        s->valid = true;
      } else if (wParam == GDT_NONE && (style & DTS_SHOWNONE)) {
        s->valid = false;
      } else {
        return FALSE;
      }
      s->typed.clear();
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case DTM_GETRANGE: {
      auto* range = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!range) return 0;
      range[0] = s->hasMin ? s->min : SYSTEMTIME{};
      range[1] = s->hasMax ? s->max : SYSTEMTIME{};
      return (s->hasMin ? GDTR_MIN : 0) | (s->hasMax ? GDTR_MAX : 0);
    }
    case DTM_SETRANGE: {
      const auto* range = reinterpret_cast<const SYSTEMTIME*>(lParam);
      if (!range && (wParam & (GDTR_MIN | GDTR_MAX))) return FALSE;
      if ((wParam & GDTR_MIN) && !wellFormed(range[0])) return FALSE;
      if ((wParam & GDTR_MAX) && !wellFormed(range[1])) return FALSE;
      s->hasMin = (wParam & GDTR_MIN) != 0;
      s->hasMax = (wParam & GDTR_MAX) != 0;
      if (s->hasMin) s->min = range[0];
      if (s->hasMax) s->max = range[1];
      return TRUE;
    }
    case DTM_SETFORMATA:
      s->format = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
      s->field = -1;
      s->typed.clear();
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SystemClass pickerClass(DATETIMEPICK_CLASSA, PickerProc, CS_DBLCLKS,
                              static_cast<int>(sizeof(void*)));

}  // namespace
