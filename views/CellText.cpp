#include "CellText.h"

namespace qzviews {

CString strCellText(const CString& strText) {
  if (strText.FindOneOf("\t\r\n") < 0) return strText;
  CString text = strText;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char c = text[i];
    if (c == '\t' || c == '\r' || c == '\n') text.SetAt(i, ' ');
  }
  return text;
}

}  // namespace qzviews
