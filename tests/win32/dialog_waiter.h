#pragma once

#include <windows.h>

namespace zelbor::win32 {

// The program's dialog window (class #32770) titled `title` (any title when null) once it is
// shown, waiting up to five seconds for it; null when none came. Called from a thread other than
// the one running the dialog, as a user acting on it would.
inline HWND waitForDialog(const wchar_t* title) {
  HWND dialog = nullptr;
  for (int tries = 0; dialog == nullptr && tries < 500; ++tries) {
    dialog = FindWindowW(L"#32770", title);
    if (dialog == nullptr) Sleep(10);
  }
  if (dialog == nullptr) return nullptr;
  for (int tries = 0; !IsWindowVisible(dialog) && tries < 100; ++tries) Sleep(10);
  // It finishes setting itself up after it is shown.
  Sleep(50);
  return dialog;
}

}  // namespace zelbor::win32
