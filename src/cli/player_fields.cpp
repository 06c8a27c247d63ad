#include "player_fields.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "db/text_codec.h"

namespace zelbor::cli {
namespace {

// The byte blocks that hold text; the other interpreted blocks are arrays of numbers.
constexpr std::array<std::string_view, 5> kTextFields = {"realName", "spoofName", "dateOfBirth",
                                                         "bestBowlingODI", "bestBattingODI"};

bool isTextField(std::string_view name) {
  return std::find(kTextFields.begin(), kTextFields.end(), name) != kTextFields.end();
}

template <class Field>
PlayerField::Value fieldValue(std::string_view name, const Field& field) {
  if constexpr (std::is_same_v<Field, float>) {
    return field;
  } else if constexpr (std::is_integral_v<Field>) {
    return static_cast<int>(field);
  } else if (isTextField(name)) {
    return db::decodeUpToNul(field);
  } else {
    return std::vector<int>(field.begin(), field.end());
  }
}

}  // namespace

std::vector<PlayerField> interpretedFields(const db::PlayerRecord& player) {
  std::vector<PlayerField> fields;
  db::visitFields(player, [&fields](std::string_view name, const auto& field) {
    if (!name.starts_with("opaque")) fields.emplace_back(name, fieldValue(name, field));
  });
  return fields;
}

}  // namespace zelbor::cli
