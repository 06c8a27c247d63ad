#include "design_font.h"

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

}  // namespace zelbor::win32
