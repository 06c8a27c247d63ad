#pragma once

#include <windows.h>

namespace zelbor::win32 {

// Window measures are designed in twips (1/1440 inch): 15 twips are one pixel at 96 dpi. Windows
// scale with the dpi of the monitor they are on, so every conversion takes the window's own dpi.
int pixelsFromTwips(double twips, UINT dpi);

// The dpi of the monitor `window` is on; the system's when the window is null.
UINT windowDpi(HWND window);

}  // namespace zelbor::win32
