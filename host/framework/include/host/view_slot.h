// A view's place in the terminal's layout and how the host restores and saves it there.
// The layout names for each slot the view's class, its sync group and its account-
// selection flag; everything else the view keeps in its slot of the settings store
// (JqzCfgIO2) between runs.
#pragma once

#include <afxwin.h>

class JqzCfgIO2;

namespace host {

struct ViewSlot {
  CString layout;          // layout name (CP950)
  int index = 0;           // the view's slot in the layout
  int extra = 0;           // handed to InitialViewInfo and SaveViewInfo as they are
  CString title;           // the pane's title
  BYTE syncGroup = 0;
  BYTE selectAccount = 1;  // 0: the view's account selector stays disabled
};

// Writes what the layout says of the slot into the store, under the view's name (its
// runtime class, the name the host's views save themselves under): the sync group and
// the selection flag. A slot that held another view is emptied first, so its settings
// do not leak into this one.
void WriteLayoutSlot(JqzCfgIO2& cfg, const ViewSlot& slot, const CString& viewName);

// Restores a host view from its slot, before its initial update: the layout's group and
// flag are set on the view and written into the slot, then the view's InitialViewInfo
// reads the slot. False, touching nothing, for a view that is not a host view.
bool RestoreView(CView& view, JqzCfgIO2& cfg, const ViewSlot& slot);

// Saves a host view into its slot (SaveViewInfo); false for other views.
bool SaveView(CView& view, JqzCfgIO2& cfg, const ViewSlot& slot);

}  // namespace host
