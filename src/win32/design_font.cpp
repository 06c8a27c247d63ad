#include "design_font.h"

#include <cmath>

#include "db/filesystem_path.h"
#include "db/win32_program_folder.h"
#include "forms/control_rows.h"

namespace zelbor::win32 {
namespace {

constexpr wchar_t kDesignFace[] = L"Liberation Sans Narrow";
constexpr wchar_t kDesignFontFile[] = L"LiberationSansNarrow-Regular.ttf";
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

// In the system's message font many texts are wider than the windows were laid out for, so the
// program loads the copy it carries, once, where the system has none.
void makeDesignFaceAvailable() {
  static const bool available =
      fontInstalled(kDesignFace) ||
      loadPrivateFont(db::pathOf(db::filesystemPath(db::programFolder()) / kDesignFontFile));
  (void)available;
}

}  // namespace

bool loadPrivateFont(const db::Path& file) {
  return AddFontResourceExW(db::filesystemPath(file).c_str(), FR_PRIVATE, nullptr) > 0;
}

LONG fontHeight(double points, UINT dpi) {
  // Negative: the characters' height, without the internal leading.
  return -static_cast<LONG>(std::lround(points * dpi / kPointsPerInch));
}

HFONT createDesignFont(UINT dpi, const wchar_t* face) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  LOGFONTW font = metrics.lfMessageFont;
  if (fontInstalled(face)) lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  font.lfHeight = fontHeight(forms::kDesignPointSize, dpi);
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfItalic = FALSE;
  return CreateFontIndirectW(&font);
}

HFONT createDesignFont(UINT dpi) {
  makeDesignFaceAvailable();
  return createDesignFont(dpi, kDesignFace);
}

}  // namespace zelbor::win32
