// The framework may be linked before the drawing functions exist (they come
// with the GDI part of the platform). Painting references them weakly and is
// skipped while they are missing.
#pragma once

#include <windows.h>

#ifndef _WIN32
#pragma weak BeginPaint
#pragma weak EndPaint
#pragma weak DeleteDC
#endif

namespace afx_internal {
inline bool PaintingAvailable() {
#ifdef _WIN32
  return true;
#else
  return &::BeginPaint != nullptr && &::EndPaint != nullptr && &::DeleteDC != nullptr;
#endif
}
}  // namespace afx_internal
