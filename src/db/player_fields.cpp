#include "player_fields.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "text_codec.h"

namespace zelbor::db {
namespace {

using enum FieldKind;
using List = ValueListId;

consteval PlayerField field(std::string_view name, FieldKind kind, std::size_t width,
                            std::optional<ValueListId> list = std::nullopt) {
  return {name, name, -1, fieldOffset(name), width, kind, list};
}

consteval PlayerField text(std::string_view name, std::size_t width) {
  return field(name, Text, width);
}

consteval PlayerField element(std::string_view name, std::string_view array, int index) {
  const std::size_t offset = fieldOffset(array) + static_cast<std::size_t>(index);
  return {name, array, index, offset, 1, Uint8, std::nullopt};
}

}  // namespace

constexpr std::array<PlayerField, 53> kPlayerFields = {{
    text("realName", kNameWidth),
    text("spoofName", kNameWidth),
    field("bowlStyle", Uint8, 1, List::BowlStyle),
    field("bowlAction", Uint8, 1, List::BowlAction),
    text("dateOfBirth", kDateOfBirthWidth),
    field("realFace", Int16, 2, List::Face),
    field("spoofFace", Int16, 2),
    text("bestBowlingODI", kBestPerformanceWidth),
    text("bestBattingODI", kBestPerformanceWidth),
    field("realBat", Uint8, 1, List::Bat),
    field("spoofBat", Uint8, 1),
    field("kit1", Uint8, 1, List::Kit1),
    field("kit2", Uint8, 1, List::Kit2),
    field("helmet", Uint8, 1, List::Helmet),
    field("hat", Uint8, 1, List::Hat),
    field("armGuard", Uint8, 1, List::ArmGuard),
    field("kit3", Uint8, 1, List::Kit3),
    field("sunscreen", Uint8, 1, List::Sunscreen),
    field("kit4", Uint8, 1, List::Kit4),
    field("glasses", Uint8, 1, List::Glasses),
    element("shirtNumbers[0]", "shirtNumbers", 0),
    element("shirtNumbers[1]", "shirtNumbers", 1),
    element("shirtNumbers[2]", "shirtNumbers", 2),
    element("shirtNumbers[3]", "shirtNumbers", 3),
    field("defaultCaptain", Uint8, 1, List::NoYes),
    field("role", Uint8, 1, List::Role),
    field("battingHand", Uint8, 1, List::Hand),
    field("everBowls", Uint8, 1, List::NoYes),
    field("bowlingHand", Uint8, 1, List::Hand),
    element("battingAbilities[0]", "battingAbilities", 0),
    element("battingAbilities[1]", "battingAbilities", 1),
    element("battingAbilities[2]", "battingAbilities", 2),
    element("battingAbilities[3]", "battingAbilities", 3),
    element("bowlingAbilities[0]", "bowlingAbilities", 0),
    element("bowlingAbilities[1]", "bowlingAbilities", 1),
    element("bowlingAbilities[2]", "bowlingAbilities", 2),
    element("bowlingAbilities[3]", "bowlingAbilities", 3),
    element("fieldingAbilities[0]", "fieldingAbilities", 0),
    element("fieldingAbilities[1]", "fieldingAbilities", 1),
    element("fieldingAbilities[2]", "fieldingAbilities", 2),
    element("fieldingAbilities[3]", "fieldingAbilities", 3),
    element("fieldingAbilities[4]", "fieldingAbilities", 4),
    field("notOutsODI", Uint8, 1),
    field("hundredsODI", Uint8, 1),
    field("fiftiesODI", Uint8, 1),
    field("runsODI", Int16, 2),
    field("matchesODI", Int16, 2),
    field("inningsODI", Int16, 2),
    field("runsConcededODI", Int16, 2),
    field("wicketsODI", Int16, 2),
    field("ballsBowledODI", Int16, 2),
    field("bowlingAverageODI", Float32, 4),
    field("battingAverageODI", Float32, 4),
}};

namespace {

// The table covers every byte of every record field that is not opaque, each once, in order.
consteval bool tableCoversInterpretedFields() {
  PlayerRecord record{};
  std::size_t offset = 0;
  std::size_t next = 0;
  bool covered = true;
  visitFields(record, [&](std::string_view name, const auto& stored) {
    const std::size_t end = offset + sizeof(stored);
    if (!name.starts_with("opaque")) {
      std::size_t at = offset;
      while (at < end && next < kPlayerFields.size()) {
        const PlayerField& entry = kPlayerFields[next++];
        covered = covered && entry.recordName == name && entry.offset == at && entry.width > 0;
        at += entry.width;
      }
      covered = covered && at == end;
    }
    offset = end;
  });
  return covered && next == kPlayerFields.size();
}
static_assert(tableCoversInterpretedFields());

}  // namespace

int PlayerField::minimum() const {
  if (kind == Uint8) return std::numeric_limits<std::uint8_t>::min();
  if (kind == Int16) return std::numeric_limits<std::int16_t>::min();
  return 0;
}

int PlayerField::maximum() const {
  if (kind == Uint8) return std::numeric_limits<std::uint8_t>::max();
  if (kind == Int16) return std::numeric_limits<std::int16_t>::max();
  return 0;
}

const PlayerField* findPlayerField(std::string_view name) {
  const auto found = std::ranges::find(kPlayerFields, name, &PlayerField::name);
  return found == kPlayerFields.end() ? nullptr : &*found;
}

const PlayerField& playerField(std::string_view recordName, int element) {
  const auto found = std::ranges::find_if(kPlayerFields, [&](const PlayerField& field) {
    return field.recordName == recordName && field.element == element;
  });
  // Callers name fields in code; a name missing from the table is a programming error.
  if (found == kPlayerFields.end()) {
    throw std::logic_error("no player field " + std::string(recordName));
  }
  return *found;
}

FieldValue readField(const PlayerField& field, RecordBytes record) {
  const auto bytes = record.subspan(field.offset, field.width);
  switch (field.kind) {
    case Text:
      return decodeUpToNul(bytes);
    case Uint8:
      return static_cast<int>(bytes[0]);
    case Int16:
      return static_cast<int>(readInt16LE(bytes.first<2>()));
    case Float32:
      return readFloat32LE(bytes.first<4>());
  }
  return 0;
}

bool sameFieldValue(const FieldValue& a, const FieldValue& b) {
  const auto* x = std::get_if<float>(&a);
  const auto* y = std::get_if<float>(&b);
  if (x == nullptr || y == nullptr) return a == b;
  return (std::isnan(*x) && std::isnan(*y)) ||
         std::bit_cast<std::uint32_t>(*x) == std::bit_cast<std::uint32_t>(*y);
}

std::string trimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::optional<std::string> refusalReason(const PlayerField& field, const FieldValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    const Windows1252Text encoded = encodeWindows1252(trimSpaces(*text));
    if (!encoded.ok()) {
      return "cannot hold the character \"" + utf8FromCodePoint(*encoded.unencodable) +
             "\": the game's database stores only Western European (Windows-1252) characters";
    }
    if (encoded.bytes.size() > field.width) {
      return "holds more than " + std::to_string(field.width) + " characters";
    }
    return std::nullopt;
  }
  if (const auto* number = std::get_if<int>(&value)) {
    if (*number >= field.minimum() && *number <= field.maximum()) return std::nullopt;
    if (field.list && *number > field.maximum()) {
      return "can store only the first " + std::to_string(field.maximum() + 1) +
             " items of its list";
    }
    return wholeNumberReason(field);
  }
  return std::nullopt;
}

std::string wholeNumberReason(const PlayerField& field) {
  return "takes a whole number from " + std::to_string(field.minimum()) + " to " +
         std::to_string(field.maximum());
}

void storeText(std::span<Byte> field, std::string_view text) {
  const Windows1252Text encoded = encodeWindows1252(trimSpaces(text));
  std::ranges::fill(field, Byte{0});
  std::ranges::copy(encoded.bytes, field.begin());
}

void writeField(const PlayerField& field, const FieldValue& value, MutableRecordBytes record) {
  const auto bytes = record.subspan(field.offset, field.width);
  switch (field.kind) {
    case Text:
      storeText(bytes, std::get<std::string>(value));
      break;
    case Uint8:
      bytes[0] = static_cast<Byte>(std::get<int>(value));
      break;
    case Int16:
      writeInt16LE(bytes.first<2>(), static_cast<std::int16_t>(std::get<int>(value)));
      break;
    case Float32:
      writeFloat32LE(bytes.first<4>(), std::get<float>(value));
      break;
  }
}

}  // namespace zelbor::db
