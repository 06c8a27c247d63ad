#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "db/player_record.h"

namespace zelbor::tools {

// The three sums behind the file authentication string; each ability byte adds 0..255.
struct AbilityTotals {
  std::int32_t battingSum = 0;
  std::int32_t bowlingSum = 0;
  std::int32_t fieldingSum = 0;

  void add(const db::PlayerRecord& player);
  void add(std::span<const db::PlayerRecord> players);
};

// "302-65-73": the three sums in upper-case hexadecimal without prefix or leading zeros.
std::string hashString(const AbilityTotals& totals);

}  // namespace zelbor::tools
