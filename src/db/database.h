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

// One team of a write operation: its whole player area as the caller read it, and as the caller
// wants it in the file. The caller owns both; the database keeps neither.
struct TeamAreaWrite {
  int team = 0;
  std::vector<Byte> loaded;  // kPlayerAreaSize bytes
  std::vector<Byte> wanted;  // kPlayerAreaSize bytes
  // After a write of ours of `wanted` failed: any byte of the area may be old or new, so the file
  // holding such a mix is not taken for another program's change. Empty otherwise.
  std::vector<Byte> failedWrite;
};

// Runs under the writer's lock, after the file was checked and before its first byte is written;
// a failure ends the operation with nothing written. Backups are taken here.
using BeforeFirstWrite = std::function<Result<void>(File& lockedFile)>;

class Database {
 public:
  // Checks that the file exists and is long enough to hold all seventeen team blocks.
  static Result<Database> open(FileSystem& fileSystem, Path path);

  const Path& databasePath() const { return databasePath_; }

  // The seventeen team names as the team list shows them, team 1 first.
  Result<std::array<std::string, kTeamCount>> readTeamNames() const;

  // A write operation over `teams`, in that order, under one lock: reads each team (inside the
  // lock), lets `change` modify its players and writes them back before the next team is read,
  // so a failure part-way leaves the earlier teams written and the later ones untouched.
  // No teams: nothing is opened.
  WriteOutcome rewriteTeams(std::span<const int> teams, const TeamChange& change,
                            const BeforeFirstWrite& beforeFirstWrite = {}) const;

  // A write operation of the callers' snapshots, in their order, under one lock. Each team is
  // refused unless its area in the file still holds what the caller loaded (or that mixed with
  // failedWrite). No writes: nothing is opened.
  WriteOutcome writeTeams(std::span<const TeamAreaWrite> writes,
                          const BeforeFirstWrite& beforeFirstWrite = {}) const;

  Result<LineupArea> readLineupArea(int team) const;

  // The team's 48 slots as stored, the empty ones and those after them included.
  Result<std::vector<Byte>> readPlayerArea(int team) const;

  // The team's players, read in one transfer: the slots before the first empty one.
  Result<std::vector<PlayerRecord>> readTeamPlayers(int team) const;

 private:
  Database(FileSystem& fileSystem, Path path, FileStatus opened)
      : fileSystem_(&fileSystem), databasePath_(std::move(path)), opened_(opened) {}

  Result<void> readAt(std::uint64_t offset, std::span<Byte> into) const;
  // Runs a write operation over `teams`: `plan` gives the write of the team at `index` from its
  // area as read under the lock.
  using PlanWrite = std::function<TeamAreaWrite(std::size_t index, std::vector<Byte> onDisk)>;
  WriteOutcome writeOperation(std::span<const int> teams, const PlanWrite& plan,
                              const BeforeFirstWrite& beforeFirstWrite) const;
  // Why the file may no longer be written, if it changed since it was opened; `since` ends the
  // sentence ("since it was opened").
  std::optional<std::string> changeSinceOpened(const FileStatus& now,
                                               const std::string& since) const;

  // The steps of a write operation; each records a failure in `outcome` and returns false.
  // Opens the file for writing, takes the lock and checks the file; nullptr on failure.
  std::unique_ptr<File> beginWrite(WriteOutcome& outcome) const;
  // Compares the team's area on disk with the bytes loaded, writes the changed slots, flushes,
  // checks the size.
  bool writeTeamArea(File& file, const TeamAreaWrite& write, std::span<const Byte> onDisk,
                     TeamWrite& state, WriteOutcome& outcome) const;
  // Checks that the path still names the file written (a file moved into its place took none of
  // the writes), then closes the file, which releases the lock.
  void endWrite(File& file, WriteOutcome& outcome) const;
  bool stillInPlace(WriteOutcome& outcome) const;

  FileSystem* fileSystem_;
  Path databasePath_;
  // The file as it was when the database was opened; writes go only into that same file.
  FileStatus opened_;
};

// Players of a 48-slot player area: the slots before the first whose realName is all NUL.
std::vector<PlayerRecord> decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize> area);

// The area with its first players.size() slots replaced by the players' records.
std::vector<Byte> withPlayers(std::vector<Byte> area, std::span<const PlayerRecord> players);

}  // namespace zelbor::db
