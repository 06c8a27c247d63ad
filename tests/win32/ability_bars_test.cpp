#include "win32/ability_bars.h"

#include <gtest/gtest.h>

#include "win32/dpi.h"

namespace zelbor::win32 {
namespace {

class AbilityBarsTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    box_ = CreateWindowExW(0, L"EDIT", L"75", WS_CHILD | WS_VISIBLE, 10, 20, 50, 18, window_,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(box_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  RECT placeInWindow() const {
    RECT bounds{};
    GetWindowRect(box_, &bounds);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
  }

  HWND window_ = nullptr;
  HWND box_ = nullptr;
};

TEST_F(AbilityBarsTest, ABarTakesItsColourAndWidthAndKeepsItsPlace) {
  AbilityBars bars;
  HDC dc = GetDC(box_);
  EXPECT_EQ(bars.brushFor(box_, dc), nullptr);
  const struct {
    editor::Colour colour;
    double widthTwips;
  } cases[] = {{{255, 0, 0}, 1710.55}, {{128, 255, 255}, 280}, {{128, 255, 255}, 1000}};
  for (const auto& c : cases) {
    bars.setBar(box_, c.colour, c.widthTwips);
    HBRUSH brush = bars.brushFor(box_, dc);
    ASSERT_NE(brush, nullptr);
    LOGBRUSH described{};
    GetObjectW(brush, sizeof described, &described);
    const COLORREF expected = RGB(c.colour.red, c.colour.green, c.colour.blue);
    EXPECT_EQ(described.lbColor, expected);
    EXPECT_EQ(GetBkColor(dc), expected);
    const RECT place = placeInWindow();
    EXPECT_EQ(place.right - place.left, pixelsFromTwips(c.widthTwips, windowDpi(box_)));
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 20);
    EXPECT_EQ(place.bottom - place.top, 18);
  }
  ReleaseDC(box_, dc);
}

}  // namespace
}  // namespace zelbor::win32
