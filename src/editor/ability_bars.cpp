#include "ability_bars.h"

#include <algorithm>

namespace zelbor::editor {

AbilityBar abilityBar(double value) {
  Colour colour{230, 250, 255};
  if (value >= 90) {
    colour = {255, 80, 80};
  } else if (value >= 85) {
    colour = {255, 190, 80};
  } else if (value >= 80) {
    colour = {255, 255, 80};
  } else if (value >= 70) {
    colour = {50, 255, 70};
  }
  const double drawn = std::clamp(value, 0.0, 255.0);
  return {colour, drawn * 14.45 + 280};
}

}  // namespace zelbor::editor
