#pragma once

#include <windows.h>

#include <string>

namespace zelbor::win32 {

// Says why a box refused what the user typed or pasted: the words in a tooltip just below the
// box, with the warning sound. A tracking tooltip, as edit balloons need visual styles (and Wine
// shows none). It goes after a while, when the box loses the focus, or with hideRefusal().
void showRefusal(HWND edit, const std::string& refusal);
void hideRefusal(HWND edit);
// The box is going: its tooltip goes with it.
void removeRefusalTip(HWND edit);

}  // namespace zelbor::win32
