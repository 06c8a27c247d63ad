#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "db/player_record.h"

namespace zelbor::cli {

// One interpreted field of a player under its record name. Texts are UTF-8 up to the first NUL
// (not trimmed), numbers and enumerated fields their stored numbers, byte blocks such as the
// abilities arrays of numbers, and the two averages floats.
struct PlayerField {
  using Value = std::variant<std::string, int, std::vector<int>, float>;

  std::string_view name;
  Value value;
};

// Every field of the record except the opaque ones, in disk order.
std::vector<PlayerField> interpretedFields(const db::PlayerRecord& player);

}  // namespace zelbor::cli
