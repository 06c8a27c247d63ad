#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "file_access.h"
#include "layout.h"
#include "player_record.h"
#include "result.h"
#include "write_outcome.h"

namespace zelbor::db {

using LineupArea = std::array<Byte, kLineupAreaSize>;

// Changes a team's loaded players in place before they are written back.
using TeamChange = std::function<void(int team, std::span<PlayerRecord> players)>;

// The database file and the one in-memory team, teamPlayers. The file is opened for each
// operation and closed before it returns; nothing stays open between operations.
//
// Writing is done by write operations (StoreTeam, rewriteTeams), each of which:
// - opens the file for writing once and takes the writer's lock for the whole operation, waiting
//   a few seconds for another of our programs to finish, then refusing (AnotherWriter);
// - refuses a read-only file (no write permission bits, read-only mount, immutable), also when
//   running as root, and a file whose size or identity changed since it was opened;
// - for each team, re-reads its player area and refuses (TeamChangedOnDisk) unless it still holds
//   the bytes that were loaded (or, after a failed write of ours, those mixed with that write's);
//   then writes records 1..playerCount in one transfer, flushes, and checks the size again;
// - at the end checks that the file's name still leads to the file written;
// - stops at the first failure and reports in WriteOutcome which teams are on disk.
// The lock is advisory: it keeps our programs from writing at once; the re-read comparison is what
// notices a program that takes no lock.
class Database {
 public:
  // Checks that the file exists and is long enough to hold all seventeen team blocks.
  static Result<Database> open(FileSystem& fileSystem, std::string path);

  const std::string& databasePath() const { return databasePath_; }

  // The seventeen team names as the team list shows them, team 1 first.
  Result<std::array<std::string, kTeamCount>> readTeamNames() const;

  // Reads the team's 48 slots in one transfer and keeps the players before the first empty slot,
  // and the bytes read, for StoreTeam to compare. On failure teamPlayers is left as it was.
  Result<void> LoadTeam(int team);

  // A write operation of the one team last loaded: records 1..playerCount go to the start of its
  // player area; the slots after them are not touched. A team without players writes nothing and
  // opens nothing.
  WriteOutcome StoreTeam(int team);

  // A write operation over `teams`, in that order, under one lock: loads each team (inside the
  // lock), lets `change` modify its players and writes them back before the next team is loaded,
  // so a failure part-way leaves the earlier teams written and the later ones untouched.
  // teamPlayers holds the last team loaded afterwards. No teams: nothing is opened.
  WriteOutcome rewriteTeams(std::span<const int> teams, const TeamChange& change);

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
  // Why the file may no longer be written, if it changed since it was opened; `since` ends the
  // sentence ("since it was opened").
  std::optional<std::string> changeSinceOpened(const FileStatus& now,
                                               const std::string& since) const;
  void takeLoadedArea(int team, std::vector<Byte> area);
  // Whether the team's area in the file holds only what was loaded or what we wrote since.
  bool holdsOnlyOurBytes(int team, std::span<const Byte> onDisk) const;

  // The steps of a write operation; each records a failure in `outcome` and returns false.
  // Opens the file for writing, takes the lock and checks the file; nullptr on failure.
  std::unique_ptr<File> beginWrite(WriteOutcome& outcome);
  // Compares the team's area with the bytes loaded, writes teamPlayers, flushes, checks the size.
  bool writeLoadedTeam(File& file, TeamWrite& write, WriteOutcome& outcome);
  // Checks that the path still names the file written (a file moved into its place took none of
  // the writes), then closes the file, which releases the lock.
  void endWrite(File& file, WriteOutcome& outcome);
  bool stillInPlace(WriteOutcome& outcome);

  FileSystem* fileSystem_;
  std::string databasePath_;
  // The file as it was when the database was opened; writes go only into that same file.
  FileStatus opened_;
  std::vector<PlayerRecord> teamPlayers_;
  // The player area as last read (and since written by us), and its team.
  std::vector<Byte> loadedArea_;
  int loadedAreaTeam_ = 0;
  // After a write of ours failed, the area as that write meant it: any byte may be old or new, so
  // a retry is not taken for another program's change. Empty otherwise.
  std::vector<Byte> failedWriteArea_;
};

// Players of a 48-slot player area: the slots before the first whose realName is all NUL.
std::vector<PlayerRecord> decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize> area);

}  // namespace zelbor::db
