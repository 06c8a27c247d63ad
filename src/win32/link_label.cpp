#include "link_label.h"

#include <commctrl.h>

#include <string>

namespace zelbor::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

void paint(HWND label) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(label, &paint);
  RECT client{};
  GetClientRect(label, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(label, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SetTextColor(dc, kLinkColour);
  SetBkMode(dc, TRANSPARENT);
  const bool centred = (GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER;
  const UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_TOP | (centred ? DT_CENTER : DT_LEFT);
  DrawTextW(dc, text.c_str(), length, &client, format);
  if (GetFocus() == label) {
    RECT drawn = client;
    DrawTextW(dc, text.c_str(), length, &drawn, format | DT_CALCRECT);
    // DT_CALCRECT keeps the left edge: centre the measured box again.
    if (centred) OffsetRect(&drawn, (client.right - drawn.right) / 2, 0);
    DrawFocusRect(dc, &drawn);
  }
  SelectObject(dc, oldFont);
  EndPaint(label, &paint);
}

LRESULT CALLBACK linkProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
  switch (message) {
    case WM_PAINT:
      paint(label);
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(label, nullptr, TRUE);
      break;
    case WM_GETDLGCODE:
      // Enter and Space act on the link rather than on the window's default button.
      if (lParam != 0) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_SPACE)) {
          return DLGC_WANTMESSAGE;
        }
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_SPACE) {
        const int id = GetDlgCtrlID(label);
        SendMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                     reinterpret_cast<LPARAM>(label));
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(label, linkProcedure, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace

void makeLinkLabel(HWND label) {
  SetWindowSubclass(label, linkProcedure, kSubclassId, 0);
}

}  // namespace zelbor::win32
