#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zelbor::win32 {

// A modal window of the system's dialog class, so that Enter, Escape, Tab and the title bar's
// close button act as in any dialog, with a fixed client size in twips and the design font at
// the window's dpi. The windows derive from it: they create their controls in created(), place
// them in place() (again when the dpi changes) and answer their commands.
class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

  // Shows the window over `owner` (centred on it) until it ends; the id of the command that
  // ended it: IDOK, or IDCANCEL for Cancel, Escape and the close button.
  int run(HWND owner, std::string_view title);

 protected:
  ModalDialog(int clientWidthTwips, int clientHeightTwips)
      : clientWidthTwips_(clientWidthTwips), clientHeightTwips_(clientHeightTwips) {}

  HWND dialog() const { return dialog_; }
  HFONT font() const { return font_; }
  int pixels(int twips) const;
  SIZE clientSize() const;

  // A child control of `windowClass` with `text`, `style` (WS_CHILD and WS_VISIBLE added) and
  // command id `id`, in the design font; placed later by place().
  HWND addControl(const wchar_t* windowClass, std::string_view text, DWORD style, int id,
                  DWORD extendedStyle = 0);
  // A push button, the dialog's default one when `isDefault`.
  HWND addButton(std::string_view caption, int id, bool isDefault);
  // Makes `id` the button Enter presses.
  void setDefaultButton(int id);
  // The space around and between the controls.
  int margin() const;
  // Puts OK and Cancel side by side at the bottom right; the top of their row.
  int placeButtons();

  virtual void created() = 0;
  virtual void place() = 0;
  // WM_COMMAND; true when handled. IDOK and IDCANCEL not handled end the window.
  virtual bool command(int /*id*/, int /*code*/) { return false; }
  // WM_NOTIFY from a control.
  virtual void notify(const NMHDR& /*header*/) {}

 private:
  static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void useDpi(UINT dpi);
  void resize(const RECT* suggested);

  int clientWidthTwips_;
  int clientHeightTwips_;
  HWND dialog_ = nullptr;
  HWND owner_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  std::wstring title_;
};

}  // namespace zelbor::win32
