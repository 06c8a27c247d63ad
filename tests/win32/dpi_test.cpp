#include "win32/dpi.h"

#include <gtest/gtest.h>

#include "win32/database_file_dialog.h"

namespace zelbor::win32 {
namespace {

TEST(Dpi, TwipsScaleWithTheWindowsDpiRoundedToTheNearestPixel) {
  const struct {
    double twips;
    UINT dpi;
    int pixels;
  } cases[] = {{15, 96, 1}, {3000, 96, 200}, {3000, 144, 300}, {3000, 192, 400},  {7, 96, 0},
               {8, 96, 1},  {10, 144, 1},    {0, 192, 0},      {1710.55, 96, 114}};
  for (const auto& c : cases) {
    EXPECT_EQ(pixelsFromTwips(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
}

TEST(DatabaseFileDialog, FilterPartsEndWithNullCharacters) {
  EXPECT_EQ(dialogFilter("Players|*Info.bag"), std::wstring(L"Players\0*Info.bag\0\0", 19));
}

}  // namespace
}  // namespace zelbor::win32
