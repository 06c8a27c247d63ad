// Reading CSV from any bytes fails with a reason or gives a table of UTF-8 cells in rows that
// follow one another.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/csv_table.h"
#include "db/text_codec.h"

namespace {

// UTF-8 the codec reads without a replacement for a malformed sequence.
bool isWellFormed(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return zelbor::db::encodeWindows1252(text).unencodable != U'\uFFFD';
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto read =
      zelbor::cli::readCsvTable(std::string_view(reinterpret_cast<const char*>(data), size));
  if (const auto* reason = std::get_if<std::string>(&read)) {
    if (reason->empty()) __builtin_trap();
    return 0;
  }
  const auto& csv = std::get<zelbor::cli::CsvTable>(read);
  if (csv.encoding != "UTF-8" && csv.encoding != "UTF-16" && csv.encoding != "Windows-1252") {
    __builtin_trap();
  }
  for (const auto& column : csv.table.columns) {
    if (!isWellFormed(column.name)) __builtin_trap();
  }
  int previous = 1;
  for (const zelbor::cli::ImportRow& row : csv.table.rows) {
    if (row.number <= previous) __builtin_trap();
    previous = row.number;
    for (const auto& cell : row.cells) {
      if (cell && (cell->empty() || !isWellFormed(*cell))) __builtin_trap();
    }
  }
  return 0;
}
