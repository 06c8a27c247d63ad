#pragma once

#include <windows.h>

namespace zelbor::win32 {

// Makes the static control `label` (created with SS_NOTIFY and WS_TABSTOP) look and act as a
// link: blue text in its font, a pointing hand, a focus rectangle, and Enter or Space sending its
// parent STN_CLICKED as a click does.
void makeLinkLabel(HWND label);

}  // namespace zelbor::win32
