#include "import_plan.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>

#include "control_characters.h"
#include "field_cells.h"
#include "tools/spoof_repair.h"

namespace zelbor::exchange {

namespace {

constexpr std::string_view kTeamColumn = "team";
constexpr std::string_view kSlotColumn = "slot";

// Enough of a value to recognise it; a whole 50 MB cell would bury the other problems.
constexpr std::size_t kEchoedCharacters = 60;

std::size_t sequenceLength(unsigned char lead) {
  return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// A cell as a message quotes it: control characters by their code point, cut after
// kEchoedCharacters characters.
std::string echoed(std::string_view value) {
  std::string text;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < value.size();) {
    if (++characters > kEchoedCharacters) return text + "\u2026";
    const std::size_t length =
        std::min(sequenceLength(static_cast<unsigned char>(value[i])), value.size() - i);
    if (const auto control = controlCharacterAt(value.substr(i))) {
      text += "<" + codePointName(*control) + ">";
    } else {
      text.append(value.substr(i, length));
    }
    i += length;
  }
  return text;
}

std::string problem(int row, std::string_view column, std::string_view value,
                    std::string_view reason) {
  return "row " + std::to_string(row) + ", column " + echoed(column) + ", value \"" +
         echoed(value) + "\": " + std::string(reason);
}

std::optional<int> wholeNumber(std::string_view cell) {
  const std::string text = db::trimSpaces(cell);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

using Reading = std::variant<db::FieldValue, std::string>;

Reading readListPosition(const db::PlayerField& field, std::string_view text,
                         const db::ValueLists& lists) {
  const db::ValueList& list = lists[*field.list];
  const std::string count = list.source + " has " + std::to_string(list.items.size()) + " items";
  if (const std::optional<int> position = wholeNumber(text)) {
    if (list.itemText(*position)) return *position;
    return "its list has no item " + std::to_string(*position) + " (" + count + ")";
  }
  const std::vector<int> positions = list.positionsOf(text);
  if (positions.size() == 1) return positions[0];
  if (positions.empty()) return "is neither a position nor an item of its list (" + count + ")";
  return "names " + std::to_string(positions.size()) +
         " items of its list; give the position instead (" + std::to_string(positions[0]) + ", " +
         std::to_string(positions[1]) + ", ...)";
}

Reading readFloat(std::string_view cell) {
  const std::string text = db::trimSpaces(cell);
  float value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    return std::string("takes a number within the range of a single-precision float");
  }
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
    return std::string("takes a number, written with \".\" as the decimal point");
  }
  return value;
}

// What a cell asks the field to hold, or why it cannot.
Reading readCell(const db::PlayerField& field, std::string_view text, const db::ValueLists& lists) {
  Reading reading;
  if (field.kind == db::FieldKind::Text) {
    reading = db::FieldValue(std::string(text));
  } else if (field.kind == db::FieldKind::Float32) {
    reading = readFloat(text);
  } else if (field.list) {
    reading = readListPosition(field, text, lists);
  } else if (const std::optional<int> number = wholeNumber(text)) {
    reading = db::FieldValue(*number);
  } else {
    reading = db::wholeNumberReason(field);
  }
  if (const auto* value = std::get_if<db::FieldValue>(&reading)) {
    if (field.kind == db::FieldKind::Text) {
      if (auto refusal = controlCharacterReason(std::get<std::string>(*value))) return *refusal;
    }
    if (std::optional<std::string> refusal = db::refusalReason(field, *value)) return *refusal;
    if (field.name == "realName" && db::trimSpaces(std::get<std::string>(*value)).empty()) {
      return std::string(
          "a player's name cannot be emptied: an empty name ends the team's list and hides the "
          "players after it");
    }
  }
  return reading;
}

struct Intended {
  db::FieldValue value;
  int row = 0;
  bool asStored = false;
};

struct PlayerKey {
  int team = 0;
  int slot = 0;
  auto operator<=>(const PlayerKey&) const = default;
};

using IntendedFields = std::array<std::optional<Intended>, db::kPlayerFields.size()>;

class Planner {
 public:
  Planner(const ImportTable& table, const LoadedTeams& loaded, const db::ValueLists& lists)
      : table_(table), loaded_(loaded), lists_(lists) {}

  void checkColumns() {
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < table_.columns.size(); ++i) {
      const ImportColumn& column = table_.columns[i];
      const db::PlayerField* field = db::findPlayerField(column.name);
      fields_.push_back(field);
      if (column.name == kTeamColumn) teamColumn_ = i;
      if (column.name == kSlotColumn) slotColumn_ = i;
      if (column.name.empty()) continue;  // spreadsheets may end the header with a separator
      if (!seen.insert(column.name).second) {
        fields_.back() = nullptr;  // its cells would only repeat the problem
        add(column.row, column.name, column.name, "the column appears more than once");
      } else if (field == nullptr && column.name != kTeamColumn && column.name != kSlotColumn) {
        add(column.row, column.name, column.name,
            "there is no such field; the columns are those export writes");
      }
    }
    if ((!teamColumn_ || !slotColumn_) && !table_.rows.empty()) {
      add(table_.columns.empty() ? 1 : table_.columns.front().row,
          !teamColumn_ ? kTeamColumn : kSlotColumn, "",
          "the input needs a team and a slot column to name each row's player");
    }
  }

  void checkRow(const ImportRow& row) {
    const std::optional<PlayerKey> player = playerOf(row);
    // The stored record and what the rows so far intend for it, when the row names a player.
    std::optional<db::Bytes<db::kRecordSize>> stored;
    IntendedFields* intended = nullptr;
    if (player) {
      stored = db::encodePlayerRecord(loaded_[static_cast<std::size_t>(player->team - 1)]
                                             [static_cast<std::size_t>(player->slot - 1)]);
      intended = &intended_[*player];
    }
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      if (!row.cells[i]) continue;
      if (i >= table_.columns.size() || table_.columns[i].name.empty()) {
        add(row.number, std::to_string(i + 1), *row.cells[i], "the header names no column here");
      } else if (fields_[i] != nullptr && !markRefused_.contains({row.number, i})) {
        const CellArrival arrival{table_.fromSheet,
                                  std::ranges::find(row.numberCells, i) != row.numberCells.end(),
                                  std::ranges::find(row.formulaCells, i) != row.formulaCells.end(),
                                  table_.writtenAsShown, decimalComma_};
        checkCell(row.number, *fields_[i], i, *row.cells[i], arrival, stored, intended);
      }
    }
  }

  // Spreadsheets that separate cells by semicolons write a decimal comma. Such a table whose
  // averages all have one is read with it; in one mixing both marks, the averages with the rarer
  // mark are refused, since either reading would change the others.
  void decideDecimalMark() {
    if (!table_.semicolonSeparated) return;
    struct Written {
      int row = 0;
      std::size_t column = 0;
      std::string_view text;
    };
    std::vector<Written> points;
    std::vector<Written> commas;
    for (const ImportRow& row : table_.rows) {
      for (std::size_t i = 0; i < row.cells.size() && i < fields_.size(); ++i) {
        if (!row.cells[i] || fields_[i] == nullptr || fields_[i]->kind != db::FieldKind::Float32) {
          continue;
        }
        if (const std::optional<char> mark = decimalMarkOf(*row.cells[i])) {
          (*mark == ',' ? commas : points).push_back({row.number, i, *row.cells[i]});
        }
      }
    }
    decimalComma_ = !commas.empty() && commas.size() >= points.size();
    if (commas.empty() || points.empty()) return;
    const std::vector<Written>& rarer = decimalComma_ ? points : commas;
    const Written& other = decimalComma_ ? commas.front() : points.front();
    const std::string reason =
        std::string("written with a decimal ") + (decimalComma_ ? "point" : "comma") +
        ", where other averages (row " + std::to_string(other.row) + ", column " +
        table_.columns[other.column].name + ", value \"" + std::string(other.text) +
        "\") have a decimal " + (decimalComma_ ? "comma" : "point") +
        "; write every average with the same mark";
    for (const Written& cell : rarer) {
      markRefused_.insert({cell.row, cell.column});
      add(cell.row, table_.columns[cell.column].name, cell.text, reason);
    }
  }

  bool canIdentifyPlayers() const { return teamColumn_ && slotColumn_; }
  CellProblems& problems() { return problems_; }
  const std::map<PlayerKey, IntendedFields>& intended() const { return intended_; }

 private:
  void add(int row, std::string_view column, std::string_view value, std::string_view reason) {
    if (problems_.shown.size() < kShownProblems) {
      problems_.shown.push_back(problem(row, column, value, reason));
    }
    ++problems_.count;
  }

  std::optional<PlayerKey> playerOf(const ImportRow& row) {
    const auto cell = [&row](std::size_t column) -> std::string_view {
      if (column >= row.cells.size() || !row.cells[column]) return {};
      return *row.cells[column];
    };
    const std::string_view teamText = cell(*teamColumn_);
    const std::string_view slotText = cell(*slotColumn_);
    const std::optional<int> team = wholeNumber(teamText);
    const std::optional<int> slot = wholeNumber(slotText);
    const bool teamValid = team && *team >= 1 && *team <= db::kTeamCount;
    if (!teamValid) add(row.number, kTeamColumn, teamText, "takes a team number from 1 to 17");
    if (!slot || *slot < 1 || *slot > db::kPlayerSlots) {
      add(row.number, kSlotColumn, slotText, "takes a slot number from 1 to 48");
      return std::nullopt;
    }
    if (!teamValid) return std::nullopt;
    const std::size_t count = loaded_[static_cast<std::size_t>(*team - 1)].size();
    if (static_cast<std::size_t>(*slot) > count) {
      add(row.number, kSlotColumn, slotText,
          "team " + std::to_string(*team) + " has " + std::to_string(count) +
              " loaded players; slot " + std::to_string(*slot) + " holds none");
      return std::nullopt;
    }
    return PlayerKey{*team, *slot};
  }

  void checkCell(int row, const db::PlayerField& field, std::size_t column, const std::string& text,
                 const CellArrival& arrival,
                 const std::optional<db::Bytes<db::kRecordSize>>& record,
                 IntendedFields* playerFields) {
    const std::string_view name = table_.columns[column].name;
    std::optional<Intended> intended;
    // A row naming no player is judged against nothing stored, for the problems of its own.
    const db::FieldValue stored =
        record ? db::readField(field, *record) : db::FieldValue(std::string());
    const std::string storedText = record ? cellText(field, stored, kRawNumbers) : std::string();
    std::string edit;
    if (record && text == itemName(field, stored, ItemNames(lists_))) {
      intended = Intended{stored, row, true};
    } else {
      CellVerdict verdict = judgeCell(field, text, storedText, arrival);
      if (verdict.refusal) return add(row, name, text, *verdict.refusal);
      if (verdict.unchanged && record) intended = Intended{stored, row, true};
      edit = std::move(verdict.edit);
    }
    if (!intended) {
      Reading reading = readCell(field, edit, lists_);
      if (const auto* reason = std::get_if<std::string>(&reading)) {
        return add(row, name, text, "the field " + *reason);
      }
      intended = Intended{std::get<db::FieldValue>(reading), row, false};
    }
    if (playerFields == nullptr) return;
    std::optional<Intended>& earlier =
        (*playerFields)[static_cast<std::size_t>(&field - db::kPlayerFields.data())];
    if (earlier && !db::sameFieldValue(earlier->value, intended->value)) {
      return add(row, name, text,
                 "row " + std::to_string(earlier->row) + " gives the same player another value");
    }
    if (!earlier) earlier = intended;
  }

  const ImportTable& table_;
  const LoadedTeams& loaded_;
  const db::ValueLists& lists_;
  bool decimalComma_ = false;
  std::set<std::pair<int, std::size_t>> markRefused_;  // row and column
  std::vector<const db::PlayerField*> fields_;
  std::optional<std::size_t> teamColumn_;
  std::optional<std::size_t> slotColumn_;
  CellProblems problems_;
  std::map<PlayerKey, IntendedFields> intended_;
};

bool isSpoofField(const db::PlayerField& field) {
  return field.name == "spoofName" || field.name == "spoofFace" || field.name == "spoofBat";
}

bool sameRealFields(const db::PlayerRecord& a, const db::PlayerRecord& b) {
  return a.realName == b.realName && a.realFace == b.realFace && a.realBat == b.realBat;
}

// The player with the intended values written over the stored ones; values equal to the stored
// ones are not written, so their bytes stay as they are. Without `keepSpoof` the spoof fields are
// not taken from the input but follow the real ones when one of those changes; each spoof value
// that is therefore not written is noted.
db::PlayerRecord applied(const db::PlayerRecord& stored, const IntendedFields& fields,
                         bool keepSpoof, std::vector<std::string>& notes) {
  auto bytes = db::encodePlayerRecord(stored);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::optional<Intended>& intended = fields[i];
    const db::PlayerField& field = db::kPlayerFields[i];
    if (!intended || intended->asStored || (!keepSpoof && isSpoofField(field))) continue;
    if (db::sameFieldValue(intended->value, db::readField(field, bytes))) continue;
    db::writeField(field, intended->value, bytes);
  }
  db::PlayerRecord result = db::decodePlayerRecord(bytes);
  if (keepSpoof) return result;
  if (!sameRealFields(result, stored)) tools::repairSpoofFields(result);
  const auto written = db::encodePlayerRecord(result);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::optional<Intended>& intended = fields[i];
    const db::PlayerField& field = db::kPlayerFields[i];
    if (!intended || intended->asStored || !isSpoofField(field)) continue;
    if (db::sameFieldValue(intended->value, db::readField(field, written))) continue;
    notes.push_back(problem(intended->row, field.name, changeText(field, intended->value),
                            "not written: the spoof fields follow the real ones; give "
                            "--keep-spoof to write them as given"));
  }
  return result;
}

void addChanges(int team, int slot, const db::PlayerRecord& before, const db::PlayerRecord& after,
                std::vector<FieldChange>& changes) {
  const auto old = db::encodePlayerRecord(before);
  const auto now = db::encodePlayerRecord(after);
  for (const db::PlayerField& field : db::kPlayerFields) {
    const auto range = [&field](const auto& bytes) {
      return std::span(bytes).subspan(field.offset, field.width);
    };
    if (std::ranges::equal(range(old), range(now))) continue;
    changes.push_back({team, slot, field.name, changeText(field, db::readField(field, old)),
                       changeText(field, db::readField(field, now))});
  }
}

}  // namespace

std::vector<std::string> problemLines(const CellProblems& problems) {
  std::vector<std::string> lines = problems.shown;
  if (problems.count > problems.shown.size()) {
    lines.push_back("\u2026 and " + std::to_string(problems.count - problems.shown.size()) +
                    " more");
  }
  return lines;
}

std::variant<ImportPlan, CellProblems> planImport(const ImportTable& table,
                                                  const LoadedTeams& loaded,
                                                  const db::ValueLists& lists, bool keepSpoof) {
  Planner planner(table, loaded, lists);
  planner.checkColumns();
  if (table.rows.empty() && planner.problems().count == 0) return ImportPlan{loaded, {}, {}, {}};
  if (!planner.canIdentifyPlayers()) return std::move(planner.problems());
  planner.decideDecimalMark();
  for (const ImportRow& row : table.rows) planner.checkRow(row);
  if (planner.problems().count > 0) return std::move(planner.problems());

  ImportPlan plan{loaded, {}, {}, {}};
  for (const auto& [player, fields] : planner.intended()) {
    auto& players = plan.teams[static_cast<std::size_t>(player.team - 1)];
    db::PlayerRecord& record = players[static_cast<std::size_t>(player.slot - 1)];
    const db::PlayerRecord before = record;
    record = applied(before, fields, keepSpoof, plan.notes);
    const std::size_t changesBefore = plan.changes.size();
    addChanges(player.team, player.slot, before, record, plan.changes);
    if (plan.changes.size() == changesBefore) continue;
    if (plan.changedTeams.empty() || plan.changedTeams.back() != player.team) {
      plan.changedTeams.push_back(player.team);
    }
  }
  return plan;
}

}  // namespace zelbor::exchange
