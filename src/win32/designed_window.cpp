#include "designed_window.h"

#include "db/win32_text.h"
#include "dpi.h"

namespace zelbor::win32 {
namespace {

constexpr int kDesignPointSize = 8;
constexpr wchar_t kDesignFace[] = L"Liberation Sans Narrow";
constexpr int kPointsPerInch = 72;

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool fontInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

HFONT createDesignFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  LOGFONTW font = metrics.lfMessageFont;
  if (fontInstalled(kDesignFace)) lstrcpynW(font.lfFaceName, kDesignFace, LF_FACESIZE);
  font.lfHeight = -MulDiv(kDesignPointSize, static_cast<int>(dpi), kPointsPerInch);
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfItalic = FALSE;
  return CreateFontIndirectW(&font);
}

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
