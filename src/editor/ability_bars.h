#pragma once

#include "main_view.h"

namespace zelbor::editor {

struct AbilityBar {
  Colour colour;
  double widthTwips;
};

// The bar of an ability with numeric value v: red from 90, orange from 85, yellow from 80, green
// from 70, pale blue below; v x 14.45 + 280 twips wide (0 gives 280, 99 gives 1710.55). Values
// outside the byte range, only reachable by pasting, draw as 0 or 255 would.
AbilityBar abilityBar(double value);

}  // namespace zelbor::editor
