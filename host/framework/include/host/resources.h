// The host's own resources: the dialog templates of the tip window, the order
// confirmation, the order editor and the certificate management, registered under the
// host library's handle, which joins the framework's chain of extension libraries.
#pragma once

#include <windows.h>

namespace host {

// Registers the templates and joins the chain the first time; the host's handle.
HINSTANCE HostResourceHandle();

}  // namespace host
