// The templates are serialised once into storage of their own, so the
// pointers handed to the resource chain stay valid while the process runs.
#include "module_resources.h"

#include <afxmodule.h>

#include <cstring>
#include <vector>

#include "dialog_builders.h"

namespace qzres {
namespace {

struct DialogImage {
  UINT id = 0;
  std::vector<DWORD> dialog;  // DWORDs keep the template aligned
  std::size_t dialogSize = 0;
  std::vector<BYTE> init;  // empty: no DLGINIT data
};

DialogImage imageOf(UINT id, const DialogSource& source) {
  DialogImage image;
  image.id = id;
  image.dialogSize = source.dialog.Size();
  image.dialog.assign((image.dialogSize + 3) / 4, 0);
  std::memcpy(image.dialog.data(), source.dialog.Get(), image.dialogSize);
  if (source.init) {
    const BYTE* p = static_cast<const BYTE*>(source.init->Get());
    image.init.assign(p, p + source.init->Size());
  }
  return image;
}

const std::vector<DialogImage>& images() {
  static const std::vector<DialogImage> all{
      imageOf(IDD_STOCK_INVENTORY, BuildStockInventory()),
      imageOf(IDD_STOCK_UNOFFSET, BuildStockUnoffset()),
      imageOf(IDD_SET_AVG_DEAL_PRICE, BuildSetAvgDealPrice()),
      imageOf(IDD_STOCK_DIVIDEND_CALC, BuildStockDividendCalc()),
  };
  return all;
}

const DialogImage* imageFor(UINT id) {
  for (const DialogImage& image : images())
    if (image.id == id) return &image;
  return nullptr;
}

}  // namespace

const DLGTEMPLATE* DialogTemplateOf(UINT id) {
  const DialogImage* image = imageFor(id);
  return image ? reinterpret_cast<const DLGTEMPLATE*>(image->dialog.data()) : nullptr;
}

std::size_t DialogTemplateSize(UINT id) {
  const DialogImage* image = imageFor(id);
  return image ? image->dialogSize : 0;
}

const void* DlgInitOf(UINT id) {
  const DialogImage* image = imageFor(id);
  return image && !image->init.empty() ? image->init.data() : nullptr;
}

std::size_t DlgInitSize(UINT id) {
  const DialogImage* image = imageFor(id);
  return image ? image->init.size() : 0;
}

BOOL RegisterDialogTemplates(HINSTANCE hResource) {
  if (!hResource) return FALSE;
  for (const DialogImage& image : images()) {
    if (!AfxAddDialogResource(hResource, MAKEINTRESOURCE(image.id), DialogTemplateOf(image.id),
                              DlgInitOf(image.id)))
      return FALSE;
  }
  return TRUE;
}

}  // namespace qzres
