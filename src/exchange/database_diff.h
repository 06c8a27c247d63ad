#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "db/byte_order.h"
#include "db/file_access.h"
#include "db/player_fields.h"

namespace zelbor::exchange {

// One difference between two databases. Player fields name the external field; everything else
// is what a patch cannot carry.
struct Difference {
  std::optional<int> team;
  std::optional<int> slot;
  std::string
      field;  // "realName"; "team name", "players", "World Cup entry 3", "record bytes 94..96"
  std::string a;
  std::string b;
  const db::PlayerField* playerField = nullptr;  // set for a field of a player loaded in both
  db::FieldValue bValue;                         // B's value of that field
};

// Every difference between the two files, in file order: team names, player counts, the fields of
// the players loaded in both (by team and slot), lineup entries, and every other differing byte as
// ranges named by the area they lie in (the header, a team block's unused bytes, a loaded
// player's record bytes outside what the fields show, a slot no team loads, the bytes after the
// last block, the length). With `team`, only that team's block.
std::vector<Difference> compareDatabases(std::span<const db::Byte> a, std::span<const db::Byte> b,
                                         std::optional<int> team);

// A database's bytes, whole, for comparing; a file far larger than any database is refused.
db::Result<std::vector<db::Byte>> readDatabaseToCompare(db::FileSystem& fileSystem,
                                                        const std::string& path);

}  // namespace zelbor::exchange
