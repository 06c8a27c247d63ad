#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "import_table.h"

namespace zelbor::exchange {

// The keys of the patch object diff writes: the sparse players, and what a patch cannot carry.
inline constexpr const char* kPatchPlayers = "players";
inline constexpr const char* kPatchNotCarried = "notCarried";

struct JsonTable {
  ImportTable table;
  // How many differences a patch from `diff` lists as beyond what import can carry.
  std::size_t notCarried = 0;
};

// Reads what export or diff writes: an array of player objects, or diff's patch object holding
// one under "players". An array value gives one column per element ("battingAbilities[0]"); a
// string is its text, a number its JSON text, null no value. Player n (from 1) is row n + 1, the
// line export writes it on. Gives the reason when the text is not such JSON.
std::variant<JsonTable, std::string> readJsonTable(std::string_view text);

}  // namespace zelbor::exchange
