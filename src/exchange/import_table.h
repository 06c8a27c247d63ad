#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelbor::exchange {

// What `import` reads from its input, whatever the format: named columns and rows of cells, all
// text in UTF-8. The readers only split the input and tell how each cell arrived; every cell is
// judged by the import plan.

// The most cells a row and a whole input may hold: a sheet's last column, and far more than an
// export of every player (about 45,000 cells). Readers refuse more before keeping them, so a
// hostile input cannot take the memory.
inline constexpr std::size_t kMostCellsInARow = 16384;
inline constexpr std::size_t kMostCells = 1u << 20;

// Why a reader refuses a row of `rowCells` cells after `allCells` cells in all; none within the
// limits.
inline std::optional<std::string> cellLimitReason(int row, std::size_t rowCells,
                                                  std::size_t allCells) {
  if (rowCells > kMostCellsInARow) {
    return "row " + std::to_string(row) + " holds more than " + std::to_string(kMostCellsInARow) +
           " cells, the most a sheet has";
  }
  if (allCells > kMostCells) {
    return "it holds more than " + std::to_string(kMostCells) +
           " cells, far more than an export of every player";
  }
  return std::nullopt;
}

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
  // The columns whose cells a workbook holds as formulas, in order.
  std::vector<std::size_t> formulaCells;
};

struct ImportTable {
  std::vector<ImportColumn> columns;
  std::vector<ImportRow> rows;
  // Cells are a sheet's (CSV, xlsx), which a spreadsheet may have rewritten.
  bool fromSheet = false;
  // Cells are texts a spreadsheet wrote as it shows them (CSV), not values it stored.
  bool writtenAsShown = false;
  // Cells are separated by semicolons, as spreadsheets that write a decimal comma separate them.
  bool semicolonSeparated = false;
};

}  // namespace zelbor::exchange
