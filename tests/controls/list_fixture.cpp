#include "list_fixture.h"

namespace ctltest {

BEGIN_MESSAGE_MAP(ListOwner, CWnd)
ON_MESSAGE(UM_LISTEXH_CELLCLICK, OnCellClick)
ON_MESSAGE(UM_LISTEXH_CELLDBLCLK, OnCellDblClk)
END_MESSAGE_MAP()

namespace {
CellMessage cellOf(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* cell = reinterpret_cast<const LISTEXH_CELL*>(wParam);
  return {message, cell->nRow, cell->nCol, cell->nReserved, reinterpret_cast<const char*>(lParam)};
}
}  // namespace

LRESULT ListOwner::OnCellClick(WPARAM wParam, LPARAM lParam) {
  cells.push_back(cellOf(UM_LISTEXH_CELLCLICK, wParam, lParam));
  return 0;
}

LRESULT ListOwner::OnCellDblClk(WPARAM wParam, LPARAM lParam) {
  cells.push_back(cellOf(UM_LISTEXH_CELLDBLCLK, wParam, lParam));
  return 0;
}

void ListOwner::OnListKeyDown(int nListNo, UINT nChar) {
  keys.emplace_back(nListNo, nChar);
  if (mirror[0] && mirror[1]) mirror[nListNo - 1]->ScrollByKey(nChar);
}

void ListOwner::OnListVScroll(int nListNo, UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  scrolls.push_back({nListNo, nSBCode, nPos});
  if (!mirror[0] || !mirror[1]) return;
  CListCtrlExH* from = mirror[nListNo - 1];
  CListCtrlExH* to = mirror[2 - nListNo];
  to->ScrollToTrackPos(SB_THUMBTRACK, static_cast<UINT>(from->GetTopIndex()), pScrollBar);
}

void ListTest::SetUp() {
  PlatformTest::SetUp();
  ASSERT_TRUE(
      owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 700, 400, nullptr, nullptr));
}

void ListTest::TearDown() {
  owner.DestroyWindow();
  PlatformTest::TearDown();
}

void ListTest::MakeList(CListCtrlExH& l, int no, const std::vector<int>& widths, int x, int height,
                        int format) {
  ASSERT_TRUE(l.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                       CRect(x, 0, x + 340, height), &owner, static_cast<UINT>(100 + no)));
  l.m_pOwner = &owner;
  l.m_nListNo = no;
  for (size_t c = 0; c < widths.size(); ++c) {
    const std::string caption = "H" + std::to_string(c);
    l.InsertColumn(static_cast<int>(c), caption.c_str(), format, widths[c]);
  }
}

void ListTest::AddRows(CListCtrlExH& l, int count, bool withText) {
  const int columns = l.m_header.GetItemCount();
  for (int r = 0; r < count; ++r) {
    const std::string first = withText ? "r" + std::to_string(r) : "";
    const int row = l.InsertItem(l.GetItemCount(), first.c_str());
    for (int c = 1; c < columns && withText; ++c)
      l.SetItemText(row, c, ("c" + std::to_string(c)).c_str());
  }
}

COLORREF ListTest::Pixel(HWND window, int x, int y) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

ListTest::Capture ListTest::Grab(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  RECT client{};
  GetClientRect(window, &client);
  Capture cap;
  cap.width = client.right;
  cap.height = client.bottom;
  cap.pixels.resize(static_cast<size_t>(cap.width * cap.height));
  HDC dc = GetDC(window);
  for (int y = 0; y < cap.height; ++y)
    for (int x = 0; x < cap.width; ++x)
      cap.pixels[static_cast<size_t>(y * cap.width + x)] = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return cap;
}

namespace {
bool dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300; }
}  // namespace

int ListTest::Capture::DarkIn(const RECT& r) const {
  int n = 0;
  for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y)
    for (int x = std::max<int>(0, r.left); x < std::min<int>(width, r.right); ++x)
      n += dark(At(x, y)) ? 1 : 0;
  return n;
}

int ListTest::Capture::FirstDarkX(const RECT& r) const {
  for (int x = std::max<int>(0, r.left); x < std::min<int>(width, r.right); ++x)
    for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y)
      if (dark(At(x, y))) return x;
  return -1;
}

int ListTest::Capture::LastDarkX(const RECT& r) const {
  for (int x = std::min<int>(width, r.right) - 1; x >= std::max<int>(0, r.left); --x)
    for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y)
      if (dark(At(x, y))) return x;
  return -1;
}

CRect ListTest::Label(CListCtrlExH& l, int row, int col) {
  CRect rc;
  l.GetSubItemRect(row, col, LVIR_LABEL, rc);
  return rc;
}

}  // namespace ctltest
