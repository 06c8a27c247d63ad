#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"

namespace zelbor::tools {

// One of the four lineups in a team's 64-byte lineup area.
struct LineupSlot {
  std::string_view caption;
  std::size_t offset;  // from the start of the lineup area
  std::size_t entries;
};

inline constexpr std::array<LineupSlot, 4> kLineupSlots = {{
    {"World Cup", 0, 15},
    {"Champions Trophy", 16, 14},
    {"One Day International", 32, 16},
    {"Test Match", 48, 16},
}};

inline constexpr std::uint8_t kEmptyPlace = 255;

// The player's name as the lists show it: up to its first NUL. Empty for an empty place (255) and
// for an entry that names no loaded player.
std::string lineupEntryName(std::uint8_t entry, std::span<const db::PlayerRecord> players);

// The four lineups' lines, World Cup first; line n shows entry n.
std::array<std::vector<std::string>, 4> lineupLines(const db::LineupArea& area,
                                                    std::span<const db::PlayerRecord> players);

}  // namespace zelbor::tools
