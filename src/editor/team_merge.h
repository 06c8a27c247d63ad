#pragma once

#include <span>
#include <vector>

#include "controls.h"
#include "db/player_record.h"

namespace zelbor::editor {

// A field of a player that both the user and another program changed, to different values.
struct FieldConflict {
  int player;  // 1..
  Control control;
};

struct TeamMerge {
  // The team as the file holds it, with the user's edited fields on top.
  std::vector<db::PlayerRecord> players;
  std::vector<FieldConflict> conflicts;
  // Players the user edited that the file no longer lists: their edits have nowhere to go.
  std::vector<int> missingPlayers;
};

// Merges the user's edits into a team another program changed. `loaded` is the team as the editor
// loaded it, `edited` the same players with the user's edits, `inFile` the team as the file holds
// it now. A field the user did not change keeps the file's value; one only the user changed takes
// the user's; where both changed it differently, the user's value when `keepUsersValues`, the
// file's otherwise. Fields are compared by value. A player the user edited comes out as storing
// the same edits typed over the file's player would leave him: texts trimmed and NUL-padded, the
// spoof fields equal to the real ones, the bytes no control shows as the file has them.
TeamMerge mergeTeam(std::span<const db::PlayerRecord> loaded,
                    std::span<const db::PlayerRecord> edited,
                    std::span<const db::PlayerRecord> inFile, bool keepUsersValues);

}  // namespace zelbor::editor
