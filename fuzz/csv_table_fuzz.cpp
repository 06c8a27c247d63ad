// Reading CSV from any bytes fails with a reason or gives a table of UTF-8 cells in rows that
// follow one another.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "db/text_codec.h"
#include "exchange/csv_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto read =
      zelbor::exchange::readCsvTable(std::string_view(reinterpret_cast<const char*>(data), size));
  if (const auto* reason = std::get_if<std::string>(&read)) {
    if (reason->empty()) __builtin_trap();
    return 0;
  }
  const auto& csv = std::get<zelbor::exchange::CsvTable>(read);
  if (csv.encoding != "UTF-8" && csv.encoding != "UTF-16" && csv.encoding != "Windows-1252") {
    __builtin_trap();
  }
  for (const auto& column : csv.table.columns) {
    if (!zelbor::db::isUtf8(column.name)) __builtin_trap();
  }
  int previous = 1;
  for (const zelbor::exchange::ImportRow& row : csv.table.rows) {
    if (row.number <= previous) __builtin_trap();
    previous = row.number;
    for (const auto& cell : row.cells) {
      if (cell && (cell->empty() || !zelbor::db::isUtf8(*cell))) __builtin_trap();
    }
  }
  return 0;
}
