#include "export_formats.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "text_output.h"

namespace zelbor::cli {
namespace {

// The float's shortest decimal form read back as a double, so 0.1f is written 0.1 and not
// 0.10000000149011612.
nlohmann::ordered_json jsonAverage(float average) {
  if (!std::isfinite(average)) return nullptr;
  const std::string text = shortestText(average);
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

nlohmann::ordered_json jsonValue(const PlayerField& field) {
  if (const auto* average = std::get_if<float>(&field.value)) return jsonAverage(*average);
  return std::visit([](const auto& value) { return nlohmann::ordered_json(value); }, field.value);
}

std::string csvCell(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
  return quoted + "\"";
}

// The cells one field takes in a CSV row, or their headers when `headers` is set.
void appendCsvCells(const PlayerField& field, bool headers, std::vector<std::string>& cells) {
  if (const auto* numbers = std::get_if<std::vector<int>>(&field.value)) {
    for (std::size_t i = 0; i < numbers->size(); ++i) {
      cells.push_back(headers ? std::string(field.name) + "[" + std::to_string(i) + "]"
                              : std::to_string((*numbers)[i]));
    }
    return;
  }
  if (headers) {
    cells.emplace_back(field.name);
  } else if (const auto* text = std::get_if<std::string>(&field.value)) {
    cells.push_back(*text);
  } else if (const auto* average = std::get_if<float>(&field.value)) {
    cells.push_back(std::isfinite(*average) ? shortestText(*average) : "");
  } else {
    cells.push_back(std::to_string(std::get<int>(field.value)));
  }
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) out << (i == 0 ? "" : ",") << csvCell(cells[i]);
  out << '\n';
}

}  // namespace

void writeJson(std::ostream& out, const std::vector<ExportedPlayer>& players) {
  // One player per line keeps the output easy to read and to search line by line.
  out << '[';
  const char* separator = "\n";
  for (const ExportedPlayer& player : players) {
    nlohmann::ordered_json object = {{"team", player.team}, {"slot", player.slot}};
    for (const PlayerField& field : player.fields)
      object[std::string(field.name)] = jsonValue(field);
    out << separator << object.dump();
    separator = ",\n";
  }
  out << (players.empty() ? "]\n" : "\n]\n");
}

void writeCsv(std::ostream& out, const std::vector<ExportedPlayer>& players) {
  std::vector<std::string> header = {"team", "slot"};
  for (const PlayerField& field : interpretedFields(db::PlayerRecord{})) {
    appendCsvCells(field, true, header);
  }
  writeCsvRow(out, header);
  for (const ExportedPlayer& player : players) {
    std::vector<std::string> row = {std::to_string(player.team), std::to_string(player.slot)};
    for (const PlayerField& field : player.fields) appendCsvCells(field, false, row);
    writeCsvRow(out, row);
  }
}

}  // namespace zelbor::cli
