#include "player_sheet.h"

#include <charconv>

namespace zelbor::exchange {

namespace {

SheetCell sheetCell(const db::PlayerField& field, const db::FieldValue& value, ItemNames names) {
  std::string text = cellText(field, value, names);
  if (text.empty()) return std::monostate{};
  if (field.kind == db::FieldKind::Text || itemName(field, value, names)) return text;
  // The cell's text is the shortest that reads back as the stored number; so is the double.
  double number = 0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
}

}  // namespace

SheetTable playerSheet(const std::vector<ExportedPlayer>& players, ItemNames names) {
  SheetTable table;
  table.columns = {{"team"}, {"slot"}};
  for (const db::PlayerField& field : db::kPlayerFields) {
    SheetColumn column{std::string(field.name), field.kind == db::FieldKind::Text, {}};
    if (names && field.list) {
      column.text = true;
      column.listItems = names->get()[*field.list].items;
    }
    table.columns.push_back(std::move(column));
  }
  for (const ExportedPlayer& player : players) {
    std::vector<SheetCell> row = {double(player.team), double(player.slot)};
    for (const db::PlayerField& field : db::kPlayerFields) {
      row.push_back(sheetCell(field, db::readField(field, player.record), names));
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace zelbor::exchange
