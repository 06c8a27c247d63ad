#pragma once

#include <string>
#include <variant>
#include <vector>

#include "db/file_access.h"
#include "db/result.h"

namespace zelbor::exchange {

// One column of a sheet. A text column's cells are text cells, and so is what a user types into
// them later: no date, fraction or formula is ever read into them. A column with list items
// offers them as a drop-down.
struct SheetColumn {
  std::string header;
  bool text = false;
  std::vector<std::string> listItems = {};
};

// An empty cell, a text or a number.
using SheetCell = std::variant<std::monostate, std::string, double>;

struct SheetTable {
  std::vector<SheetColumn> columns;
  std::vector<std::vector<SheetCell>> rows;  // each as long as `columns`
};

// An xlsx workbook whose first sheet, `sheetName`, holds the table under a frozen header row,
// with columns as wide as their contents. The drop-downs read their items from a second sheet.
// Numbers are written with 16 significant digits, so a double made from a float's shortest
// text reads back as that text. The library builds the workbook in a work file in the temporary
// folder, made, read and removed through `fileSystem`; an error names it.
db::Result<std::string> xlsxWorkbook(db::FileSystem& fileSystem, const SheetTable& table,
                                     const std::string& sheetName);

}  // namespace zelbor::exchange
