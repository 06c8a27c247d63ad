#include "ability_scaling.h"

#include <algorithm>
#include <cmath>

namespace zelbor::batch {

std::uint8_t scaleAbility(std::uint8_t value, float factor) {
  // A byte times a float needs at most 32 significant bits, so the double product is exact.
  const double product = static_cast<double>(value) * static_cast<double>(factor);
  if (std::isnan(product)) return value;
  const double rounded = std::nearbyint(std::clamp(product, 0.0, 255.0));
  return static_cast<std::uint8_t>(rounded);
}

int scalePlayer(db::PlayerRecord& player, const BatchFactors& factors) {
  int changed = 0;
  const auto scale = [&changed](std::uint8_t& ability, float factor) {
    const std::uint8_t scaled = scaleAbility(ability, factor);
    changed += scaled != ability ? 1 : 0;
    ability = scaled;
  };
  for (std::size_t i = 0; i < 4; ++i) scale(player.battingAbilities[i], factors.batting[i]);
  for (std::size_t i = 0; i < 4; ++i) scale(player.bowlingAbilities[i], factors.bowling[i]);
  return changed;
}

int scalePlayers(std::span<db::PlayerRecord> players, const BatchFactors& factors) {
  int changed = 0;
  for (db::PlayerRecord& player : players) changed += scalePlayer(player, factors);
  return changed;
}

}  // namespace zelbor::batch
