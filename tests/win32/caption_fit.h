#pragma once

#include <windows.h>

#include <string>

namespace zelbor::win32 {

// Whether the caption of `button`, drawn in its font without the mnemonic's "&", fits inside it
// with the room its frame takes.
inline bool captionFits(HWND button) {
  wchar_t text[256] = {};
  GetWindowTextW(button, text, 256);
  std::wstring shown;
  for (const wchar_t* character = text; *character != L'\0'; ++character) {
    if (*character != L'&') shown.push_back(*character);
  }
  HDC context = GetDC(button);
  HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(context, shown.c_str(), static_cast<int>(shown.size()), &extent);
  SelectObject(context, previous);
  ReleaseDC(button, context);
  RECT client{};
  GetClientRect(button, &client);
  const int frame = 4 * GetSystemMetrics(SM_CXEDGE);
  return extent.cx + frame <= client.right && extent.cy + frame <= client.bottom;
}

}  // namespace zelbor::win32
