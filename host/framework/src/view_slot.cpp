#include "host/view_slot.h"

#include "JqzCfgIO2.h"
#include "QzComVirtualBaseView.h"

namespace host {

void WriteLayoutSlot(JqzCfgIO2& cfg, const ViewSlot& slot, const CString& viewName) {
  CString saved;
  if (cfg.bGetViewValue(slot.layout, slot.index, "View", saved) && saved != viewName)
    cfg.bDeleteView(slot.layout, slot.index);
  auto text = [](int n) {
    CString s;
    s.Format("%d", n);
    return s;
  };
  cfg.bSaveViewValue(slot.layout, slot.index, "View", viewName);
  cfg.bSaveViewValue(slot.layout, slot.index, "SyncType", text(slot.syncGroup));
  cfg.bSaveViewValue(slot.layout, slot.index, "SelectAccount", text(slot.selectAccount));
}

bool RestoreView(CView& view, JqzCfgIO2& cfg, const ViewSlot& slot) {
  CView* pView = &view;
  auto* hostView = DYNAMIC_DOWNCAST(JqzVirtualBaseView, pView);
  if (!hostView) return false;
  WriteLayoutSlot(cfg, slot, view.GetRuntimeClass()->m_lpszClassName);
  // Also set directly, for a view that restores under a name other than its class's.
  if (auto* trading = DYNAMIC_DOWNCAST(QzComVirtualBaseView, hostView)) {
    trading->m_bySyncType = slot.syncGroup;
    trading->m_bySelAccount = slot.selectAccount;
  }
  hostView->InitialViewInfo(&cfg, slot.layout, slot.index, slot.extra, slot.title);
  return true;
}

bool SaveView(CView& view, JqzCfgIO2& cfg, const ViewSlot& slot) {
  CView* pView = &view;
  auto* hostView = DYNAMIC_DOWNCAST(JqzVirtualBaseView, pView);
  if (!hostView) return false;
  hostView->SaveViewInfo(&cfg, slot.layout, slot.index, slot.extra);
  return true;
}

}  // namespace host
