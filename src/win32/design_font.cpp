#include "design_font.h"

#include <cmath>

#include "forms/control_rows.h"

namespace zelbor::win32 {
namespace {

constexpr wchar_t kDesignFace[] = L"Liberation Sans Narrow";
constexpr double kPointsPerInch = 72;

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

LONG fontHeight(double points, UINT dpi) {
  // Negative: the characters' height, without the internal leading.
  return -static_cast<LONG>(std::lround(points * dpi / kPointsPerInch));
}

HFONT createDesignFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  LOGFONTW font = metrics.lfMessageFont;
  if (fontInstalled(kDesignFace)) lstrcpynW(font.lfFaceName, kDesignFace, LF_FACESIZE);
  font.lfHeight = fontHeight(forms::kDesignPointSize, dpi);
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfItalic = FALSE;
  return CreateFontIndirectW(&font);
}

}  // namespace zelbor::win32
