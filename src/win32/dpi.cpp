#include "dpi.h"

namespace zelbor::win32 {

namespace {
constexpr int kTwipsPerInch = 1440;
}  // namespace

int pixelsFromTwips(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

UINT windowDpi(HWND window) {
  return window != nullptr ? GetDpiForWindow(window) : GetDpiForSystem();
}

void becomePerMonitorDpiAware() {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

}  // namespace zelbor::win32
