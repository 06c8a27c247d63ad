#pragma once

#include <windows.h>

namespace zelbor::win32 {

// The font of all windows at `dpi`: 8 pt Liberation Sans Narrow where it is installed, else the
// system's message font at that size. The caller deletes it.
HFONT createDesignFont(UINT dpi);

// A LOGFONT height for a font of `points` at `dpi`.
LONG fontHeight(double points, UINT dpi);

}  // namespace zelbor::win32
