#include "export_formats.h"

namespace zelbor::exchange {

namespace {

std::string csvCell(const std::string& text) {
  if (text.find_first_of(",;\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) out << (i == 0 ? "" : ",") << csvCell(cells[i]);
  out << '\n';
}

void writeJson(std::ostream& out, const std::vector<ExportedPlayer>& players, ItemNames names) {
  // One player per line keeps the output easy to read and to search line by line.
  out << '[';
  const char* separator = "\n";
  for (const ExportedPlayer& player : players) {
    nlohmann::ordered_json object = {{"team", player.team}, {"slot", player.slot}};
    for (const db::PlayerField& field : db::kPlayerFields) {
      nlohmann::ordered_json value = jsonValue(field, db::readField(field, player.record), names);
      const std::string key(field.recordName);
      if (field.element < 0) {
        object[key] = std::move(value);
      } else {
        object[key].push_back(std::move(value));
      }
    }
    out << separator << object.dump();
    separator = ",\n";
  }
  out << (players.empty() ? "]\n" : "\n]\n");
}

void writeCsv(std::ostream& out, const std::vector<ExportedPlayer>& players, ItemNames names,
              bool byteOrderMark) {
  if (byteOrderMark) out << "\xEF\xBB\xBF";
  std::vector<std::string> cells = {"team", "slot"};
  for (const db::PlayerField& field : db::kPlayerFields) cells.emplace_back(field.name);
  writeCsvRow(out, cells);
  for (const ExportedPlayer& player : players) {
    cells = {std::to_string(player.team), std::to_string(player.slot)};
    for (const db::PlayerField& field : db::kPlayerFields) {
      cells.push_back(cellText(field, db::readField(field, player.record), names));
    }
    writeCsvRow(out, cells);
  }
}

}  // namespace zelbor::exchange
