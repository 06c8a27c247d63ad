#include "dpi.h"

#include <cmath>

namespace zelbor::win32 {

namespace {
constexpr double kTwipsPerInch = 1440;
}  // namespace

int pixelsFromTwips(double twips, UINT dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

UINT windowDpi(HWND window) {
  return window != nullptr ? GetDpiForWindow(window) : GetDpiForSystem();
}

}  // namespace zelbor::win32
