#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "player_record.h"
#include "value_lists.h"

namespace zelbor::db {

// How a field's bytes are read: Windows-1252 text of the field's width, an unsigned byte, a
// little-endian 16-bit signed number, or a single-precision float.
enum class FieldKind : std::uint8_t { Text, Uint8, Int16, Float32 };

// One interpreted field of the player record. Array elements are fields of their own
// ("battingAbilities[0]"), kept together under their record name.
struct PlayerField {
  std::string_view name;        // the external name, as export writes it
  std::string_view recordName;  // the record field holding it; the array's name for an element
  int element;                  // the position in the array; -1 for a field that is not one
  std::size_t offset;           // in the 432-byte record
  std::size_t width;            // in bytes
  FieldKind kind;
  std::optional<ValueListId> list;  // for a field that stores a position in a list

  // The whole numbers the field holds (bytes 0..255, 16-bit -32768..32767); 0 for the others.
  int minimum() const;
  int maximum() const;
};

// Every interpreted field, in record order; the opaque fields are not among them.
extern const std::array<PlayerField, 53> kPlayerFields;

const PlayerField* findPlayerField(std::string_view name);
// The field of a record field, or of an element of an array; the field must exist.
const PlayerField& playerField(std::string_view recordName, int element = -1);

// A field's value: the text up to the first NUL as UTF-8, a whole number, or a float.
using FieldValue = std::variant<std::string, int, float>;

// Equal values; two floats are equal when both are not a number or their bits are the same.
bool sameFieldValue(const FieldValue& a, const FieldValue& b);

using MutableRecordBytes = std::span<Byte, kRecordSize>;

FieldValue readField(const PlayerField& field, RecordBytes record);

// Why `value` cannot be stored into the field, as a phrase that follows the field's name ("takes
// a whole number from 0 to 255"); nothing when it can. The editor's save and import share it.
std::optional<std::string> refusalReason(const PlayerField& field, const FieldValue& value);

// The reason a whole number out of the field's range, or no number at all, is refused.
std::string wholeNumberReason(const PlayerField& field);

// Stores `value`, which refusalReason accepts, as the editor's save does: a text trimmed of spaces
// and padded with NULs.
void writeField(const PlayerField& field, const FieldValue& value, MutableRecordBytes record);

// Texts are stored without the spaces around them.
std::string trimSpaces(std::string_view text);

// Stores a text that refusalReason accepts into a text field's bytes: trimmed, padded with NULs.
void storeText(std::span<Byte> field, std::string_view text);

}  // namespace zelbor::db
