#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "db/player_fields.h"

namespace zelbor::exchange {

// Where export takes a list field's item text from: the lists, or none, and a stored position
// stays its raw number.
using ItemNames = std::optional<std::reference_wrapper<const db::ValueLists>>;
inline constexpr ItemNames kRawNumbers = std::nullopt;

// A field's value as export writes it into a cell: a text up to its first NUL, a number in
// decimal, a list position as its item's text when `names` has one, a float in its shortest form
// that reads back as the same float, and an empty cell for a float that is not a number.
std::string cellText(const db::PlayerField& field, const db::FieldValue& value, ItemNames names);

// A value in a line that reports a change or a difference: as export writes it without names,
// but a float that is not a number as its text ("nan", "inf"), so that it is seen.
std::string changeText(const db::PlayerField& field, const db::FieldValue& value);

// The same value in JSON: a float that is not finite is null.
nlohmann::ordered_json jsonValue(const db::PlayerField& field, const db::FieldValue& value,
                                 ItemNames names);

// The item text a list field's stored position shows with `names`, if any. An item text that
// reads as a whole number is none: import would read it as a position.
std::optional<std::string> itemName(const db::PlayerField& field, const db::FieldValue& value,
                                    ItemNames names);

}  // namespace zelbor::exchange
