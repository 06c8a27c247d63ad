#include "forms/screen_fit.h"

#include <gtest/gtest.h>

namespace zelbor::forms {
namespace {

TEST(ScreenFitRule, ContentScrollsWhereTheRoomIsShortAndEachBarTakesRoomFromTheOtherDirection) {
  constexpr int kBar = 17;
  const struct {
    const char* what;
    PixelSize content;
    PixelSize room;
    ScreenFit fit;
  } cases[] = {
      {"fits", {633, 710}, {1000, 800}, {{633, 710}, {633, 710}, false, false, {0, 0}}},
      {"fits exactly", {633, 710}, {633, 710}, {{633, 710}, {633, 710}, false, false, {0, 0}}},
      {"too tall", {950, 1065}, {1270, 730}, {{967, 730}, {950, 730}, false, true, {0, 335}}},
      {"the vertical bar makes it too wide",
       {950, 1065},
       {960, 730},
       {{960, 730}, {943, 713}, true, true, {7, 352}}},
      {"the horizontal bar makes it too tall",
       {950, 720},
       {900, 730},
       {{900, 730}, {883, 713}, true, true, {67, 7}}},
      {"too wide", {950, 500}, {900, 730}, {{900, 517}, {900, 500}, true, false, {50, 0}}},
      {"room thinner than a bar", {100, 100}, {10, 10}, {{10, 10}, {0, 0}, true, true, {100, 100}}},
      {"no room", {100, 100}, {-20, 0}, {{0, 0}, {0, 0}, true, true, {100, 100}}},
  };
  for (const auto& c : cases) {
    const ScreenFit fit = fitToRoom(c.content, c.room, kBar);
    EXPECT_EQ(fit.window, c.fit.window) << c.what;
    EXPECT_EQ(fit.view, c.fit.view) << c.what;
    EXPECT_EQ(fit.horizontalBar, c.fit.horizontalBar) << c.what;
    EXPECT_EQ(fit.verticalBar, c.fit.verticalBar) << c.what;
    EXPECT_EQ(fit.scrollRange, c.fit.scrollRange) << c.what;
  }
}

TEST(ScreenFitRule, ScrollingToAControlMovesAsLittleAsShowsIt) {
  const struct {
    const char* what;
    int position, view, start, end, range;
    int expected;
  } cases[] = {
      {"already shown", 100, 300, 150, 200, 500, 100},
      {"below the view", 0, 300, 350, 380, 500, 80},
      {"above the view", 200, 300, 150, 180, 500, 150},
      {"partly below", 100, 300, 390, 420, 500, 120},
      {"longer than the view: its start", 0, 300, 100, 500, 500, 100},
      {"beyond the furthest position", 0, 300, 700, 760, 420, 420},
      {"before the content's start", 50, 300, -5, 20, 500, 0},
      {"nothing scrolls", 0, 300, 10, 40, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(scrollToShow(c.position, c.view, c.start, c.end, c.range), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace zelbor::forms
