#pragma once

#include <ostream>
#include <vector>

#include "field_cells.h"

namespace zelbor::exchange {

struct ExportedPlayer {
  int team = 0;
  int slot = 0;
  db::Bytes<db::kRecordSize> record{};
};

// An array of objects, one player per line: team, slot, then the fields under their record names,
// an array's elements as one array. An average that is not a number is null.
void writeJson(std::ostream& out, const std::vector<ExportedPlayer>& players, ItemNames names);

// A header row, then one row per player, one column per field ("shirtNumbers[0]"). Cells holding
// the separator, a quote or a line break are quoted, with quotes doubled. With `byteOrderMark`
// the text starts with the UTF-8 byte order mark that spreadsheet programs look for.
void writeCsv(std::ostream& out, const std::vector<ExportedPlayer>& players, ItemNames names,
              bool byteOrderMark);

// The CSV form of one row of cells.
void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells);

}  // namespace zelbor::exchange
