#pragma once

#include <vector>

#include "export_formats.h"
#include "xlsx_writer.h"

namespace zelbor::exchange {

// The players as a spreadsheet's table, with the cells export writes: team, slot, then one column
// per field. Texts are text cells and numbers numbers; with `names`, a list field is its item's
// text, offered with the list's other items as a drop-down.
SheetTable playerSheet(const std::vector<ExportedPlayer>& players, ItemNames names);

}  // namespace zelbor::exchange
