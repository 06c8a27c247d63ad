#include "modal_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "db/win32_text.h"
#include "design_font.h"
#include "dpi.h"
#include "held_keys.h"

namespace zelbor::win32 {
namespace {

// A dialog template without controls; its window is sized and filled when it is created.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kMarginTwips = 120;
constexpr int kButtonWidthTwips = 1500;
constexpr int kButtonHeightTwips = 375;

}  // namespace

int ModalDialog::run(HWND owner, std::string_view title) {
  owner_ = owner;
  title_ = db::wideFromUtf8(title);
  // The list view and the other common controls of version 6.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  alignas(DWORD) EmptyTemplate empty{};
  empty.header.style = kDialogStyle;
  const HeldKeyFilter held;
  const INT_PTR ended = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.header, owner,
                                                procedure, reinterpret_cast<LPARAM>(this));
  if (font_ != nullptr) DeleteObject(font_);
  font_ = nullptr;
  dialog_ = nullptr;
  return ended == IDOK ? IDOK : IDCANCEL;
}

int ModalDialog::pixels(int twips) const {
  return pixelsFromTwips(twips, dpi_);
}

SIZE ModalDialog::clientSize() const {
  return SIZE{pixels(clientWidthTwips_), pixels(clientHeightTwips_)};
}

HWND ModalDialog::addControl(const wchar_t* windowClass, std::string_view text, DWORD style, int id,
                             DWORD extendedStyle) {
  HWND control = CreateWindowExW(extendedStyle, windowClass, db::wideFromUtf8(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND ModalDialog::addButton(std::string_view caption, int id, bool isDefault) {
  return addControl(WC_BUTTONW, caption,
                    WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), id);
}

void ModalDialog::setDefaultButton(int id) {
  SendMessageW(dialog_, DM_SETDEFID, static_cast<WPARAM>(id), 0);
}

int ModalDialog::margin() const {
  return pixels(kMarginTwips);
}

int ModalDialog::placeButtons() {
  const SIZE client = clientSize();
  const int width = pixels(kButtonWidthTwips);
  const int height = pixels(kButtonHeightTwips);
  const int top = client.cy - margin() - height;
  MoveWindow(GetDlgItem(dialog_, IDOK), client.cx - 2 * (margin() + width), top, width, height,
             TRUE);
  MoveWindow(GetDlgItem(dialog_, IDCANCEL), client.cx - margin() - width, top, width, height, TRUE);
  return top;
}

void ModalDialog::useDpi(UINT dpi) {
  dpi_ = dpi;
  HFONT old = font_;
  font_ = createDesignFont(dpi);
  for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  if (old != nullptr) DeleteObject(old);
}

void ModalDialog::resize(const RECT* suggested) {
  const SIZE client = clientSize();
  RECT bounds{0, 0, client.cx, client.cy};
  AdjustWindowRectExForDpi(&bounds, kDialogStyle, FALSE, 0, dpi_);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  int left = 0;
  int top = 0;
  if (suggested != nullptr) {
    left = suggested->left;
    top = suggested->top;
  } else {
    // Centred on the owner, or on the screen without one, and kept on its work area.
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT over = area;
    if (owner_ != nullptr) GetWindowRect(owner_, &over);
    left = (over.left + over.right - width) / 2;
    top = (over.top + over.bottom - height) / 2;
    left = std::max<int>(area.left, std::min<int>(left, area.right - width));
    top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
  }
  SetWindowPos(dialog_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ModalDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->dialog_ = window;
    SetWindowTextW(window, self->title_.c_str());
    self->useDpi(windowDpi(window));
    self->created();
    self->resize(nullptr);
    self->place();
    // The focus goes to the first control that takes it.
    return TRUE;
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (self->command(id, HIWORD(wParam))) return TRUE;
      if (id == IDOK || id == IDCANCEL) {
        EndDialog(window, id);
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY:
      self->notify(*reinterpret_cast<const NMHDR*>(lParam));
      return FALSE;
    case WM_DPICHANGED:
      self->useDpi(HIWORD(wParam));
      self->resize(reinterpret_cast<const RECT*>(lParam));
      self->place();
      return TRUE;
    case WM_DESTROY:
      SetWindowLongPtrW(window, DWLP_USER, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace zelbor::win32
