// The module's dialog templates in their binary form, built once from the
// sources of this folder and kept for the life of the process, and their
// registration with the module's resource handle.
#pragma once

#include <windows.h>

#include <cstddef>

#include "resource.h"

namespace qzres {

// The four templates, by IDD_ id.
inline constexpr UINT kDialogIds[] = {IDD_STOCK_INVENTORY, IDD_STOCK_UNOFFSET,
                                      IDD_SET_AVG_DEAL_PRICE, IDD_STOCK_DIVIDEND_CALC};

// The template with the given id, or null for an id that is not the module's.
const DLGTEMPLATE* DialogTemplateOf(UINT id);
std::size_t DialogTemplateSize(UINT id);
// Its DLGINIT data, or null when the template has none.
const void* DlgInitOf(UINT id);
std::size_t DlgInitSize(UINT id);

// Adds the four templates with their DLGINIT data to the resources of
// hResource, as the library does when it loads; they go again with the
// handle's resources (the library's AfxTermExtensionModule). FALSE when
// hResource is null or a template cannot be added.
BOOL RegisterDialogTemplates(HINSTANCE hResource);

}  // namespace qzres
