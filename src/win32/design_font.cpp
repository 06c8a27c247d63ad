#include "design_font.h"

#include <cmath>

namespace zelbor::win32 {
namespace {

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

HFONT createDesignFont(UINT dpi, unsigned look) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  LOGFONTW font = metrics.lfMessageFont;
  if (fontInstalled(kDesignFace)) lstrcpynW(font.lfFaceName, kDesignFace, LF_FACESIZE);
  font.lfHeight = -static_cast<LONG>(std::lround(forms::designPointSize(look) * dpi / kPointsPerInch));
  font.lfWidth = 0;
  font.lfWeight = (look & forms::kBold) != 0 ? FW_BOLD : FW_NORMAL;
  font.lfItalic = FALSE;
  font.lfUnderline = (look & forms::kLink) != 0 ? TRUE : FALSE;
  return CreateFontIndirectW(&font);
}

}  // namespace zelbor::win32
