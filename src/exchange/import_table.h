#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelbor::exchange {

// What `import` reads from its input, whatever the format: named columns and rows of cells, all
// text in UTF-8. The readers only split the input; every cell is judged by the validation.

struct ImportColumn {
  std::string name;  // as written: "realName", "battingAbilities[0]"
  int row = 1;       // the row that names the column, for messages (the header row of a sheet)
};

struct ImportRow {
  int number = 0;  // as a spreadsheet shows it, counting the header as row 1
  // One per column in column order; a row that ends early has fewer. No value (an empty or
  // absent cell, JSON null) leaves the field as stored. Cells beyond the last column are kept,
  // so that they can be reported.
  std::vector<std::optional<std::string>> cells;
  // The columns whose cells a workbook stores as numbers rather than texts, in order.
  std::vector<std::size_t> numberCells;
};

struct ImportTable {
  std::vector<ImportColumn> columns;
  std::vector<ImportRow> rows;
};

}  // namespace zelbor::exchange
