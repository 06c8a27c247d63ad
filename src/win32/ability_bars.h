#pragma once

#include <windows.h>

#include <map>

#include "editor/main_view.h"

namespace zelbor::win32 {

// The ability boxes drawn as bars: each box's background colour and width. The window holding
// the boxes answers WM_CTLCOLOREDIT through brushFor.
class AbilityBars {
 public:
  AbilityBars() = default;
  AbilityBars(const AbilityBars&) = delete;
  AbilityBars& operator=(const AbilityBars&) = delete;
  ~AbilityBars();

  // Colours `box` and makes it `widthTwips` wide at its window's dpi; its height and place stay.
  void setBar(HWND box, editor::Colour colour, double widthTwips);

  // The background brush of `box` drawing on `dc`, or null when `box` is no bar.
  HBRUSH brushFor(HWND box, HDC dc) const;

 private:
  struct Bar {
    COLORREF colour = 0;
    HBRUSH brush = nullptr;
  };
  std::map<HWND, Bar> bars_;
};

}  // namespace zelbor::win32
