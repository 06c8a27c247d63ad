#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "db/player_record.h"
#include "db/team_walk.h"

namespace zelbor::tools {

// The three sums behind the file authentication string; each ability byte adds 0..255.
struct AbilityTotals {
  std::int32_t battingSum = 0;
  std::int32_t bowlingSum = 0;
  std::int32_t fieldingSum = 0;

  void add(const db::PlayerRecord& player);
  void add(std::span<const db::PlayerRecord> players);
};

// Reads every team in turn and sums the abilities of its loaded players into `totals`.
db::WalkOutcome sumAllTeams(const db::Database& database, AbilityTotals& totals);

// "302-65-73": the three sums in upper-case hexadecimal without prefix or leading zeros.
std::string hashString(const AbilityTotals& totals);

// The file authentication string of the file as it is stored now.
db::Result<std::string> fileHash(const db::Database& database);

}  // namespace zelbor::tools
