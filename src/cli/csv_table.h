#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "import_table.h"

namespace zelbor::cli {

// Reads CSV as spreadsheet programs write it: RFC 4180 quoting, lines ending in CR LF, LF or CR,
// an optional UTF-8 byte order mark, and a comma or a semicolon between cells, whichever the
// header line uses. An empty cell has no value. Gives the reason when the text is not CSV.
std::variant<ImportTable, std::string> readCsvTable(std::string_view text);

}  // namespace zelbor::cli
