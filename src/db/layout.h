#pragma once

#include <array>
#include <cstdint>

#include "player_record.h"

namespace zelbor::db {

// The database is seventeen fixed-size team blocks at fixed offsets; everything outside the parts
// named here is opaque and never read or written.
inline constexpr int kTeamCount = 17;
inline constexpr int kPlayerSlots = 48;
inline constexpr std::int32_t kFirstTeamBlock = 1407;
inline constexpr std::int32_t kTeamBlockSize = 20992;

// Offsets inside a team block.
inline constexpr std::int32_t kTeamNameOffset = 0;
inline constexpr std::size_t kTeamNameSize = 32;
inline constexpr std::int32_t kPlayerAreaOffset = 41;
inline constexpr std::size_t kPlayerAreaSize = kPlayerSlots * kRecordSize;
inline constexpr std::int32_t kLineupAreaOffset = 20791;
inline constexpr std::size_t kLineupAreaSize = 64;

// The last byte read is the last lineup byte of team 17; a shorter file cannot be a database, and
// writing into one would extend it.
inline constexpr std::uint64_t kMinimumFileSize =
    kFirstTeamBlock + (kTeamCount - 1) * kTeamBlockSize + kLineupAreaOffset + kLineupAreaSize;
static_assert(kMinimumFileSize == 358134);
static_assert(kPlayerAreaOffset + kPlayerAreaSize <= kLineupAreaOffset);

// Block start of each team, teams numbered 1 to 17.
class TeamPositions {
 public:
  constexpr TeamPositions() {
    for (int team = 1; team <= kTeamCount; ++team) {
      starts_[team - 1] = kFirstTeamBlock + kTeamBlockSize * (team - 1);
    }
  }
  constexpr std::int32_t operator()(int team) const { return starts_.at(team - 1); }

 private:
  std::array<std::int32_t, kTeamCount> starts_{};
};

inline constexpr TeamPositions teamPositions;

static_assert(teamPositions(2) == 22399 && teamPositions(17) == 337279);

inline constexpr std::uint64_t playerAreaStart(int team) {
  return static_cast<std::uint64_t>(teamPositions(team) + kPlayerAreaOffset);
}

inline constexpr std::uint64_t slotStart(int team, int slot) {
  return playerAreaStart(team) + static_cast<std::uint64_t>(slot - 1) * kRecordSize;
}

inline constexpr std::uint64_t lineupAreaStart(int team) {
  return static_cast<std::uint64_t>(teamPositions(team) + kLineupAreaOffset);
}

static_assert(playerAreaStart(1) == 1448 && lineupAreaStart(1) == 22198);
static_assert(slotStart(17, 48) + kRecordSize - 1 == 358055);

}  // namespace zelbor::db
