#pragma once

#include <windows.h>

namespace zelbor::win32 {

// Registers the program's window class `name` with `procedure` and the arrow cursor; registering
// it again does nothing. `background` may be null for a class that paints all of itself.
void registerWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background);

}  // namespace zelbor::win32
