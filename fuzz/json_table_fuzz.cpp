// Reading a JSON patch from any bytes fails with a reason or gives one row per player, each cell
// under a column of its own.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "exchange/json_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto read =
      zelbor::exchange::readJsonTable(std::string_view(reinterpret_cast<const char*>(data), size));
  if (const auto* reason = std::get_if<std::string>(&read)) {
    if (reason->empty()) __builtin_trap();
    return 0;
  }
  const zelbor::exchange::ImportTable& table = std::get<zelbor::exchange::JsonTable>(read).table;
  std::set<std::string> names;
  for (const auto& column : table.columns) {
    if (!names.insert(column.name).second) __builtin_trap();
  }
  int expected = 2;
  for (const zelbor::exchange::ImportRow& row : table.rows) {
    if (row.number != expected++ || row.cells.size() > table.columns.size()) __builtin_trap();
  }
  return 0;
}
