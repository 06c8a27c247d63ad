#include "ability_bars.h"

#include "dpi.h"

namespace zelbor::win32 {

AbilityBars::~AbilityBars() {
  for (const auto& [box, bar] : bars_) DeleteObject(bar.brush);
}

void AbilityBars::setBar(HWND box, editor::Colour colour, double widthTwips) {
  // Bars change on every keystroke and player switch: touch only what differs.
  const COLORREF wanted = RGB(colour.red, colour.green, colour.blue);
  Bar& bar = bars_[box];
  if (bar.brush == nullptr || bar.colour != wanted) {
    if (bar.brush != nullptr) DeleteObject(bar.brush);
    bar.colour = wanted;
    bar.brush = CreateSolidBrush(wanted);
    InvalidateRect(box, nullptr, TRUE);
  }
  RECT bounds{};
  GetWindowRect(box, &bounds);
  const int width = pixelsFromTwips(widthTwips, windowDpi(box));
  if (bounds.right - bounds.left != width) {
    SetWindowPos(box, nullptr, 0, 0, width, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HBRUSH AbilityBars::brushFor(HWND box, HDC dc) const {
  const auto found = bars_.find(box);
  if (found == bars_.end()) return nullptr;
  SetBkColor(dc, found->second.colour);
  return found->second.brush;
}

}  // namespace zelbor::win32
