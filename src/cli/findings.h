#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"
#include "db/value_lists.h"

namespace zelbor::cli {

// Something in the file that the window or the game would trip over.
struct Finding {
  int team = 0;
  std::optional<int> slot;  // none for a lineup entry
  std::string_view kind;
  std::string detail;
};

// One team's findings: for each loaded player in slot order, stored values with no item in their
// list ("no-list-item"), spoof fields that differ from the real ones ("spoof-differs") and
// abilities above 99 ("ability-above-99"); then named players stored after the first empty slot,
// which nothing loads ("hidden-player"); then lineup entries naming no loaded player
// ("lineup-entry").
std::vector<Finding> teamFindings(int team, std::span<const db::Byte, db::kPlayerAreaSize> area,
                                  const db::LineupArea& lineups, const db::ValueLists& lists);

}  // namespace zelbor::cli
