#include "json_table.h"

#include <map>
#include <nlohmann/json.hpp>

namespace zelbor::cli {
namespace {

using Json = nlohmann::ordered_json;

std::optional<std::string> cellOf(const Json& value) {
  if (value.is_null()) return std::nullopt;
  if (value.is_string()) return value.get<std::string>();
  return value.dump();
}

class TableBuilder {
 public:
  void addPlayer(int row, const Json& player) {
    ImportRow& added = table_.rows.emplace_back(ImportRow{row, {}});
    for (const auto& [key, value] : player.items()) {
      if (!value.is_array()) {
        put(added, key, cellOf(value));
        continue;
      }
      for (std::size_t i = 0; i < value.size(); ++i) {
        put(added, key + "[" + std::to_string(i) + "]", cellOf(value[i]));
      }
    }
  }

  ImportTable take() { return std::move(table_); }

 private:
  void put(ImportRow& row, const std::string& column, std::optional<std::string> cell) {
    auto [found, added] = columnIndex_.try_emplace(column, table_.columns.size());
    if (added) table_.columns.push_back({column, row.number});
    if (row.cells.size() <= found->second) row.cells.resize(found->second + 1);
    row.cells[found->second] = std::move(cell);
  }

  ImportTable table_;
  std::map<std::string, std::size_t, std::less<>> columnIndex_;
};

}  // namespace

std::variant<JsonTable, std::string> readJsonTable(std::string_view text) {
  const Json document = Json::parse(text, nullptr, false);
  if (document.is_discarded()) return std::string("it is not valid JSON");
  JsonTable result;
  const Json* players = &document;
  if (document.is_object() && document.contains(kPatchPlayers)) {
    players = &document[kPatchPlayers];
    if (document.contains(kPatchNotCarried) && document[kPatchNotCarried].is_array()) {
      result.notCarried = document[kPatchNotCarried].size();
    }
  }
  if (!players->is_array()) return std::string("it holds no array of players");
  TableBuilder builder;
  for (std::size_t i = 0; i < players->size(); ++i) {
    const int row = static_cast<int>(i) + 2;
    if (!(*players)[i].is_object()) {
      return "row " + std::to_string(row) + ": a player is an object of fields";
    }
    builder.addPlayer(row, (*players)[i]);
  }
  result.table = builder.take();
  return result;
}

}  // namespace zelbor::cli
