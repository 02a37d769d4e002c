// Temporary GDI wrappers: made by FromHandle for handles no object owns.
// This file calls no GDI function; the wrappers themselves live in afxgdi.h.
#include <map>
#include <utility>

#include "afxgdi.h"

namespace {

struct Temp {
  CObject* wrapper;
  void (*release)(CObject*);
};

std::map<std::pair<const void*, int>, Temp>& temps() {
  static auto* map = new std::map<std::pair<const void*, int>, Temp>;
  return *map;
}

}  // namespace

namespace afx_detail {

CObject* LookupTempGdi(const void* handle, int kind) {
  auto it = temps().find({handle, kind});
  return it == temps().end() ? nullptr : it->second.wrapper;
}

void StoreTempGdi(const void* handle, int kind, CObject* wrapper, void (*release)(CObject*)) {
  temps()[{handle, kind}] = Temp{wrapper, release};
}

}  // namespace afx_detail

void AfxDeleteTempMap() {
  auto all = std::move(temps());
  temps().clear();
  for (auto& [key, temp] : all) temp.release(temp.wrapper);
}
