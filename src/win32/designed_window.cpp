#include "designed_window.h"

#include "db/win32_text.h"
#include "dpi.h"

namespace zelbor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZelborDesignedWindow";

}  // namespace

std::wstring windowTitle(const std::string& caption, bool modified) {
  std::wstring title = db::wideFromUtf8(caption);
  if (modified) title += L'*';
  return title;
}

SIZE designedWindowSize(int widthTwips, int heightTwips, bool hasMenu, UINT dpi) {
  RECT bounds{0, 0, pixelsFromTwips(widthTwips, dpi), pixelsFromTwips(heightTwips, dpi)};
  AdjustWindowRectExForDpi(&bounds, kDesignedWindowStyle, hasMenu ? TRUE : FALSE, 0, dpi);
  return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

DesignedWindow::DesignedWindow(int clientWidthTwips, int clientHeightTwips)
    : clientWidthTwips_(clientWidthTwips), clientHeightTwips_(clientHeightTwips) {}

DesignedWindow::~DesignedWindow() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

void DesignedWindow::create(const std::string& title, HWND owner, HMENU menu) {
  static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass);
  }();
  (void)atom;
  CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, db::wideFromUtf8(title).c_str(),
                  kDesignedWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  owner, menu, GetModuleHandleW(nullptr), this);
  // The size follows the dpi of the monitor the window opened on.
  useDpi(windowDpi(window_));
  const SIZE size =
      designedWindowSize(clientWidthTwips_, clientHeightTwips_, menu != nullptr, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DesignedWindow::useDpi(UINT dpi) {
  dpi_ = dpi;
  if (font_ != nullptr) DeleteObject(font_);
  font_ = createDesignFont(dpi);
}

LRESULT DesignedWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DPICHANGED) {
    useDpi(HIWORD(wParam));
    const SIZE size = designedWindowSize(clientWidthTwips_, clientHeightTwips_,
                                         GetMenu(window_) != nullptr, dpi_);
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    dpiChanged();
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK DesignedWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<DesignedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<DesignedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handle(message, wParam, lParam);
}

int runMessageLoop(HWND mainWindow, HACCEL accelerators) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (accelerators != nullptr && TranslateAcceleratorW(mainWindow, accelerators, &message)) {
      continue;
    }
    HWND active = GetActiveWindow();
    if (active != nullptr && IsDialogMessageW(active, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace zelbor::win32
