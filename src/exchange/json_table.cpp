#include "json_table.h"

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

namespace zelbor::exchange {
namespace {

using Json = nlohmann::ordered_json;

std::optional<std::string> cellOf(const Json& value) {
  if (value.is_null()) return std::nullopt;
  if (value.is_string()) return value.get<std::string>();
  return value.dump();
}

// Export nests three deep at most (a patch, its players, a player's arrays); deeper input is
// refused while it is parsed, before it takes the stack or the memory.
constexpr int kDeepestNesting = 16;

// Why the text was refused while it was parsed.
struct Refused {
  std::string reason;
};

// Notices a key given twice in one object while the text is parsed; the parsed value would keep
// only one of them. Player objects are the elements of the outer array (of the patch's array when
// the text is an object), numbered from row 2 as export writes them. Stops the parse of a text
// nested too deep or holding too many values.
class DuplicateKeys {
 public:
  bool operator()(int depth, nlohmann::json::parse_event_t event, const Json& parsed) {
    using Event = nlohmann::json::parse_event_t;
    if (event == Event::object_start || event == Event::array_start) {
      if (depth >= kDeepestNesting) {
        throw Refused{"it nests arrays and objects more than " +
                      std::to_string(kDeepestNesting) + " deep"};
      }
    }
    if (event == Event::value || event == Event::object_start || event == Event::array_start) {
      if (auto tooMany = cellLimitReason(0, 0, ++values_)) throw Refused{std::move(*tooMany)};
    }
    if (event == Event::object_start) {
      if (depth == 0) playerDepth_ = 2;
      if (depth == playerDepth_) ++players_;
      keys_.emplace_back();
    } else if (event == Event::object_end) {
      keys_.pop_back();
    } else if (event == Event::key && !keys_.empty() && !found_ &&
               !keys_.back().insert(parsed.get<std::string>()).second) {
      found_ = (keys_.size() > 1 || playerDepth_ == 1 ? "row " + std::to_string(players_ + 1) + ": "
                                                      : std::string()) +
               "the key \"" + parsed.get<std::string>() + "\" appears more than once in an object";
    }
    return true;
  }

  const std::optional<std::string>& found() const { return found_; }

 private:
  int playerDepth_ = 1;
  int players_ = 0;
  std::size_t values_ = 0;
  std::vector<std::set<std::string>> keys_;
  std::optional<std::string> found_;
};

class TableBuilder {
 public:
  // Fails when two keys of the player name one column: "shirtNumbers" and "shirtNumbers[0]".
  std::optional<std::string> addPlayer(int row, const Json& player) {
    ImportRow& added = table_.rows.emplace_back(ImportRow{row, {}, {}, {}});
    std::set<std::size_t> given;
    for (const auto& [key, value] : player.items()) {
      if (!value.is_array()) {
        if (!put(added, given, key, cellOf(value))) return twice(row, key);
        continue;
      }
      for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string column = key + "[" + std::to_string(i) + "]";
        if (!put(added, given, column, cellOf(value[i]))) return twice(row, column);
      }
    }
    return cellLimitReason(row, added.cells.size(), 0);
  }

  ImportTable take() { return std::move(table_); }

 private:
  static std::string twice(int row, const std::string& column) {
    return "row " + std::to_string(row) + ": the field \"" + column +
           "\" is given twice (as an array element and on its own)";
  }

  bool put(ImportRow& row, std::set<std::size_t>& given, const std::string& column,
           std::optional<std::string> cell) {
    auto [found, added] = columnIndex_.try_emplace(column, table_.columns.size());
    if (added) table_.columns.push_back({column, row.number});
    if (!given.insert(found->second).second) return false;
    if (row.cells.size() <= found->second) row.cells.resize(found->second + 1);
    row.cells[found->second] = std::move(cell);
    return true;
  }

  ImportTable table_;
  std::map<std::string, std::size_t, std::less<>> columnIndex_;
};

// The parsed text, or why it is not JSON: where the syntax breaks, or the number no double holds.
std::variant<Json, std::string> parsed(std::string_view text, DuplicateKeys& duplicates) {
  try {
    return Json::parse(text, std::ref(duplicates));
  } catch (const nlohmann::json::parse_error& error) {
    return "it is not valid JSON (at byte " + std::to_string(error.byte) + ")";
  } catch (const nlohmann::json::out_of_range&) {
    return std::string("it holds a number too large for any field");
  } catch (const Refused& refused) {
    return refused.reason;
  }
}

}  // namespace

std::variant<JsonTable, std::string> readJsonTable(std::string_view text) {
  DuplicateKeys duplicates;
  auto parsing = parsed(text, duplicates);
  if (const auto* reason = std::get_if<std::string>(&parsing)) return *reason;
  if (duplicates.found()) return *duplicates.found();
  const Json& document = std::get<Json>(parsing);
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
    if (auto twice = builder.addPlayer(row, (*players)[i])) return *twice;
  }
  result.table = builder.take();
  return result;
}

}  // namespace zelbor::exchange
