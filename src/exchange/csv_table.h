#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "import_table.h"

namespace zelbor::exchange {

struct CsvTable {
  ImportTable table;
  std::string encoding;  // "UTF-8", "UTF-16" or "Windows-1252"
  char separator = ',';
};

// Reads CSV as spreadsheet programs write it: RFC 4180 quoting, lines ending in CR LF, LF or CR,
// and a comma, a semicolon or a tab between cells, whichever the header line uses most. The text
// is UTF-16 when it starts with a UTF-16 byte order mark, UTF-8 when it starts with a UTF-8 one
// or is valid UTF-8, and Windows-1252 otherwise (every byte is a character there, so nothing is
// lost). An empty cell has no value. Gives the reason when the text is not CSV.
std::variant<CsvTable, std::string> readCsvTable(std::string_view text);

}  // namespace zelbor::exchange
