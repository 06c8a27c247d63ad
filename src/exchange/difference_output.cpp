#include "difference_output.h"

#include <cmath>
#include <map>

#include "field_cells.h"
#include "json_table.h"
#include "text_output.h"

namespace zelbor::exchange {
namespace {

using Json = nlohmann::ordered_json;

std::string numberOrDash(const std::optional<int>& number) {
  return number ? std::to_string(*number) : "-";
}

// A field value in a patch: as export writes it, but a float that is not a number as its text,
// which import reads back.
Json patchValue(const db::PlayerField& field, const db::FieldValue& value) {
  if (const auto* number = std::get_if<float>(&value); number && !std::isfinite(*number)) {
    return shortestText(*number);
  }
  return jsonValue(field, value, kRawNumbers);
}

}  // namespace

void writeDifferenceLines(std::ostream& out, const std::vector<Difference>& differences) {
  for (const Difference& d : differences) {
    writeRow(out, {numberOrDash(d.team), numberOrDash(d.slot), d.field, d.a, d.b});
  }
}

void writePatch(std::ostream& out, const std::vector<Difference>& differences) {
  std::map<std::pair<int, int>, Json> players;
  Json notCarried = Json::array();
  for (const Difference& d : differences) {
    if (d.playerField == nullptr) {
      notCarried.push_back({{"team", d.team ? Json(*d.team) : Json()},
                            {"slot", d.slot ? Json(*d.slot) : Json()},
                            {"field", d.field},
                            {"a", d.a},
                            {"b", d.b}});
      continue;
    }
    Json& player = players[{*d.team, *d.slot}];
    if (player.is_null()) player = {{"team", *d.team}, {"slot", *d.slot}};
    player[std::string(d.playerField->name)] = patchValue(*d.playerField, d.bValue);
  }
  out << "{\"" << kPatchPlayers << "\": [";
  const char* separator = "\n";
  for (const auto& [key, player] : players) {
    out << separator << player.dump();
    separator = ",\n";
  }
  out << "],\n\"" << kPatchNotCarried << "\": [";
  separator = "\n";
  for (const Json& entry : notCarried) {
    out << separator << entry.dump();
    separator = ",\n";
  }
  out << "]}\n";
}

}  // namespace zelbor::exchange
