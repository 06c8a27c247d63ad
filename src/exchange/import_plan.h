#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "db/layout.h"
#include "db/player_fields.h"
#include "import_table.h"
#include "spreadsheet_guards.h"

namespace zelbor::exchange {

// The loaded players of all seventeen teams, team 1 first.
using LoadedTeams = std::array<std::vector<db::PlayerRecord>, db::kTeamCount>;

struct FieldChange {
  int team = 0;
  int slot = 0;
  std::string_view field;
  std::string before;  // as export writes it
  std::string after;
};

struct ImportPlan {
  LoadedTeams teams;                 // every team as it is after the import
  std::vector<int> changedTeams;     // in team order
  std::vector<FieldChange> changes;  // by player, in team and slot order
  // Cells that were valid but not written, each as a problem is written, with the reason.
  std::vector<std::string> notes;
};

// Every bad cell, each as `row N, column C, value "V": reason`.
using CellProblems = std::vector<std::string>;

// Checks every cell of `table` against the loaded players and, when all are valid, works out the
// players afterwards. A cell that shows the stored value changes nothing, so bytes no cell
// changes stay as stored. Without `keepSpoof` the spoof fields of a player whose real name, face
// or bat changes follow the real ones, as a save in the editor does, and spoof cells are not
// written. `guards` tells a spreadsheet's rewriting of a cell
// from an edit.
std::variant<ImportPlan, CellProblems> planImport(const ImportTable& table,
                                                  const LoadedTeams& loaded,
                                                  const db::ValueLists& lists, bool keepSpoof,
                                                  InputGuards guards = InputGuards::None);

}  // namespace zelbor::exchange
