// The fill of the classic positions list: one line per position row with its
// quotes read at fill time, its action cells and its colours.
#pragma once

#include <CBaseOrderItemGroup.h>
#include <CListCtrlEx.h>

#include <vector>

#include "PositionRow.h"

// Cell colours of the list (COLORREF).
inline constexpr COLORREF kPositionRed = 0x0000FF;
inline constexpr COLORREF kPositionGreen = 0x009700;
inline constexpr COLORREF kPositionWhite = 0xFFFFFF;
inline constexpr COLORREF kPositionLimitUpBk = 0xFFFF00;
inline constexpr COLORREF kPositionLimitDownBk = 0xFF68FF;

// Appends one line per row to the (emptied) list through the group's display items
// and returns the sum of the rows' market values (rows without a price add 0).
double dFillPositionList(CListCtrlEx& list, CBaseOrderItemGroup& group,
                         const std::vector<PositionRow>& rows);
