#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "file_access.h"
#include "layout.h"
#include "player_record.h"
#include "result.h"

namespace zelbor::db {

using LineupArea = std::array<Byte, kLineupAreaSize>;

// The database file and the one in-memory team, teamPlayers. The file is opened for each
// operation and closed before it returns; nothing stays open between operations.
class Database {
 public:
  // Checks that the file exists and is long enough to hold all seventeen team blocks.
  static Result<Database> open(FileSystem& fileSystem, std::string path);

  const std::string& databasePath() const { return databasePath_; }

  // The seventeen team names as the team list shows them, team 1 first.
  Result<std::array<std::string, kTeamCount>> readTeamNames() const;

  // Reads the team's 48 slots in one transfer and keeps the players before the first empty slot.
  // On failure teamPlayers is left as it was.
  Result<void> LoadTeam(int team);

  // Writes records 1..playerCount to the start of the team's player area in one transfer; the
  // slots after them are not touched. Refuses when the file's size changed since it was opened or
  // another file was put in its place, and flushes the data to disk before it reports success.
  Result<void> StoreTeam(int team);

  Result<LineupArea> readLineupArea(int team) const;

  // The team's 48 slots as stored, the empty ones and those after them included; teamPlayers is
  // not touched.
  Result<std::vector<Byte>> readPlayerArea(int team) const;

  int playerCount() const { return static_cast<int>(teamPlayers_.size()); }
  // Players are numbered from 1.
  PlayerRecord& player(int index) { return teamPlayers_.at(static_cast<std::size_t>(index - 1)); }
  const PlayerRecord& player(int index) const {
    return teamPlayers_.at(static_cast<std::size_t>(index - 1));
  }
  std::vector<PlayerRecord>& teamPlayers() { return teamPlayers_; }
  const std::vector<PlayerRecord>& teamPlayers() const { return teamPlayers_; }

 private:
  Database(FileSystem& fileSystem, std::string path, FileStatus opened)
      : fileSystem_(&fileSystem), databasePath_(std::move(path)), opened_(opened) {}

  Result<void> readAt(std::uint64_t offset, std::span<Byte> into) const;
  // Why the file may no longer be written, if it changed under the editor.
  std::optional<std::string> changeSinceOpened(const FileStatus& now) const;

  FileSystem* fileSystem_;
  std::string databasePath_;
  // The file as it was when the database was opened; writes go only into that same file.
  FileStatus opened_;
  std::vector<PlayerRecord> teamPlayers_;
};

// Players of a 48-slot player area: the slots before the first whose realName is all NUL.
std::vector<PlayerRecord> decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize> area);

}  // namespace zelbor::db
