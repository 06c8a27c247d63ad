#include "form_window.h"

#include "held_keys.h"

namespace zelbor::win32 {

FormWindow::FormWindow(const forms::FormSpec& form, HWND owner, const std::string& captionEnd)
    : DesignedWindow(form.clientWidth, form.clientHeight), owner_(owner) {
  create(form.caption + captionEnd, owner, nullptr);
  controls_.emplace(window(), form);
  controls_->place(dpi(), font());
}

void FormWindow::dpiChanged() {
  controls_->place(dpi(), font());
}

void FormWindow::centreOnOwner() {
  if (owner_ == nullptr) return;
  RECT ownerBounds{};
  RECT bounds{};
  GetWindowRect(owner_, &ownerBounds);
  GetWindowRect(window(), &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  SetWindowPos(window(), nullptr, (ownerBounds.left + ownerBounds.right - width) / 2,
               (ownerBounds.top + ownerBounds.bottom - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::runModal() {
  // An owner that was disabled already (by a window of its own) is left so.
  const bool ownerDisabledHere = owner_ != nullptr && !EnableWindow(owner_, FALSE);
  centreOnOwner();
  ShowWindow(window(), SW_SHOW);
  SetActiveWindow(window());
  SetFocus(GetNextDlgTabItem(window(), nullptr, FALSE));
  open_ = true;
  const HeldKeyFilter held;
  MSG message{};
  while (open_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the quit is left for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    // Escape closes the window; the repeat of an Escape held down since an earlier window does not.
    const bool repeat = (message.lParam & (1L << 30)) != 0;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && !repeat &&
        (message.hwnd == window() || IsChild(window(), message.hwnd))) {
      close();
      continue;
    }
    if (IsDialogMessageW(window(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  open_ = false;
  if (ownerDisabledHere) EnableWindow(owner_, TRUE);
  ShowWindow(window(), SW_HIDE);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      close();
      return 0;
    case WM_COMMAND:
      // Controls notify from their creation on, before the window is complete.
      if (lParam != 0 && controls_) {
        controlCommand(controls_->nameOf(LOWORD(wParam)), HIWORD(wParam));
        return 0;
      }
      break;
    default:
      break;
  }
  return DesignedWindow::handle(message, wParam, lParam);
}

}  // namespace zelbor::win32
