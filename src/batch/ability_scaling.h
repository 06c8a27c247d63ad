#pragma once

#include <cstdint>
#include <span>

#include "batch_factors.h"
#include "db/player_record.h"

namespace zelbor::batch {

// value x factor, formed exactly in double precision and rounded to the nearest whole number with
// ties to even. A factor outside 0..1 (never offered by the batch window) is clamped to the byte
// range instead of wrapping.
std::uint8_t scaleAbility(std::uint8_t value, float factor);

// Scales the four batting and four bowling abilities; returns how many bytes changed.
int scalePlayer(db::PlayerRecord& player, const BatchFactors& factors);
int scalePlayers(std::span<db::PlayerRecord> players, const BatchFactors& factors);

}  // namespace zelbor::batch
