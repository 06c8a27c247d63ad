#pragma once

#include <windows.h>

#include <string>

#include "design_font.h"

namespace zelbor::win32 {

// The designed windows have a fixed size and only the title bar's close button.
inline constexpr DWORD kDesignedWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// The title bar's text: the caption, marked with "*" while there are unsaved edits.
std::wstring windowTitle(const std::string& caption, bool modified);

// The outer size of a designed window whose client area below its menu bar (when it has one) is
// `widthTwips` x `heightTwips` at `dpi`.
SIZE designedWindowSize(int widthTwips, int heightTwips, bool hasMenu, UINT dpi);

// A top-level window of the program: the design font at its dpi, a fixed client area in twips,
// and the same size in twips when it moves to a monitor of another dpi. The windows derive from
// it and answer their own messages in handle().
class DesignedWindow {
 public:
  DesignedWindow(const DesignedWindow&) = delete;
  DesignedWindow& operator=(const DesignedWindow&) = delete;
  virtual ~DesignedWindow();

  HWND window() const { return window_; }
  HFONT font() const { return font_; }
  UINT dpi() const { return dpi_; }

 protected:
  DesignedWindow(int clientWidthTwips, int clientHeightTwips);
  // Creates the window, hidden, with `title`, owned by `owner` and with `menu` (both may be null).
  void create(const std::string& title, HWND owner, HMENU menu);

  // The window's own messages; unhandled ones go to DefWindowProcW.
  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  // The window now shows at `dpi` with font(): controls move and take the new font.
  virtual void dpiChanged() {}

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void useDpi(UINT dpi);

  int clientWidthTwips_;
  int clientHeightTwips_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = 0;
};

// Runs the thread's messages until WM_QUIT: `accelerators` act for `mainWindow`, and the active
// window's controls get Tab, the arrow keys and mnemonics. Returns WM_QUIT's exit code.
int runMessageLoop(HWND mainWindow, HACCEL accelerators);

}  // namespace zelbor::win32
