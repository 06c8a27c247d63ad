#pragma once

#include <ostream>
#include <vector>

#include "player_fields.h"

namespace zelbor::cli {

struct ExportedPlayer {
  int team = 0;
  int slot = 0;
  std::vector<PlayerField> fields;
};

// An array of objects, one player per line: team, slot, then the fields under their record names.
// An average that is not a number is null.
void writeJson(std::ostream& out, const std::vector<ExportedPlayer>& players);

// A header row, then one row per player. Arrays take one column per element ("shirtNumbers[0]");
// an average that is not a number is an empty cell. Cells holding a comma, a quote or a line break
// are quoted, with quotes doubled.
void writeCsv(std::ostream& out, const std::vector<ExportedPlayer>& players);

}  // namespace zelbor::cli
