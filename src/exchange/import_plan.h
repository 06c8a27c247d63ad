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

// The bad cells, each as `row N, column C, value "V": reason`: the first kShownProblems of them,
// and how many there are. A hostile input has millions; the first show what is wrong.
inline constexpr std::size_t kShownProblems = 500;
struct CellProblems {
  std::vector<std::string> shown;
  std::size_t count = 0;
};

// The problems shown, and a last line with how many more there are, if any.
std::vector<std::string> problemLines(const CellProblems& problems);

// Checks every cell of `table` against the loaded players and, when all are valid, works out the
// players afterwards. A cell that shows the stored value changes nothing, so bytes no cell
// changes stay as stored. Without `keepSpoof` the spoof fields of a player whose real name, face
// or bat changes follow the real ones, as a save in the editor does, and spoof cells are not
// written. Each cell is judged against the stored value by the spreadsheet guards, from how the
// table says it arrived; a semicolon-separated table whose averages all use a decimal comma is
// read that way, and one mixing both marks is refused.
std::variant<ImportPlan, CellProblems> planImport(const ImportTable& table,
                                                  const LoadedTeams& loaded,
                                                  const db::ValueLists& lists, bool keepSpoof);

}  // namespace zelbor::exchange
