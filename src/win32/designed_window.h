#pragma once

#include <windows.h>

#include <string>

namespace zelbor::win32 {

// The designed windows have a fixed size and only the title bar's close button.
inline constexpr DWORD kDesignedWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// The font of all windows at `dpi`: 8 pt Liberation Sans Narrow where it is installed, else the
// system's message font at that size. The caller deletes it.
HFONT createDesignFont(UINT dpi);

// The title bar's text: the caption, marked with "*" while there are unsaved edits.
std::wstring windowTitle(const std::string& caption, bool modified);

// The outer size of a designed window whose client area below its menu bar (when it has one) is
// `widthTwips` x `heightTwips` at `dpi`.
SIZE designedWindowSize(int widthTwips, int heightTwips, bool hasMenu, UINT dpi);

// Runs the thread's messages until WM_QUIT: `accelerators` act for `mainWindow`, and the active
// window's controls get Tab, the arrow keys and mnemonics. Returns WM_QUIT's exit code.
int runMessageLoop(HWND mainWindow, HACCEL accelerators);

}  // namespace zelbor::win32
