// The write operations of Database: one open file and one writer's lock per operation, the
// comparison with the bytes loaded, and an account of every team's state on disk.
#include <algorithm>
#include <chrono>
#include <thread>

#include "database.h"

namespace zelbor::db {
namespace {

// Long enough for another of our programs to finish a walk over all teams; short enough that a
// user waiting for a refusal is not left wondering.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockRetryInterval = std::chrono::milliseconds(50);

Result<bool> takeWritersLock(File& file) {
  const auto giveUp = std::chrono::steady_clock::now() + kLockWait;
  while (true) {
    Result<bool> taken = file.tryLock();
    if (!taken || taken.value() || std::chrono::steady_clock::now() >= giveUp) return taken;
    std::this_thread::sleep_for(kLockRetryInterval);
  }
}

std::vector<Byte> encodedPlayers(const std::vector<PlayerRecord>& players) {
  std::vector<Byte> bytes(players.size() * kRecordSize);
  for (std::size_t i = 0; i < players.size(); ++i) {
    encodePlayerRecord(players[i],
                       std::span<Byte>(bytes).subspan(i * kRecordSize).first<kRecordSize>());
  }
  return bytes;
}

}  // namespace

std::unique_ptr<File> Database::beginWrite(WriteOutcome& outcome) {
  const auto refuse = [&outcome](WriteFailure kind, FileError reason) {
    outcome.fail(kind, std::move(reason));
    return std::unique_ptr<File>();
  };
  const std::string cannot = "Cannot write \"" + databasePath_ + "\": ";
  auto opened = fileSystem_->openExisting(databasePath_, OpenMode::ReadWrite);
  if (!opened) return refuse(WriteFailure::FileError, opened.error());
  std::unique_ptr<File> file = std::move(opened).value();
  const Result<bool> locked = takeWritersLock(*file);
  if (!locked) return refuse(WriteFailure::FileError, locked.error());
  if (!locked.value()) {
    return refuse(WriteFailure::AnotherWriter,
                  {databasePath_, cannot + "another program is writing it."});
  }
  // Root may open a file without write permission bits for writing; the mark is still meant.
  const Result<bool> readOnly = fileSystem_->isReadOnly(databasePath_);
  if (!readOnly) return refuse(WriteFailure::FileError, readOnly.error());
  if (readOnly.value()) {
    return refuse(WriteFailure::FileError,
                  {databasePath_, cannot + "it is read-only (no write permission bits, a read-only "
                                           "mount or an immutable file)."});
  }
  const Result<FileStatus> status = file->status();
  if (!status) return refuse(WriteFailure::FileError, status.error());
  if (const auto change = changeSinceOpened(status.value(), "since it was opened")) {
    return refuse(WriteFailure::FileError, {databasePath_, cannot + *change + "."});
  }
  return file;
}

bool Database::holdsOnlyOurBytes(int team, std::span<const Byte> onDisk) const {
  if (team != loadedAreaTeam_) return false;
  if (failedWriteArea_.empty())
    return std::equal(onDisk.begin(), onDisk.end(), loadedArea_.begin());
  for (std::size_t i = 0; i < onDisk.size(); ++i) {
    if (onDisk[i] != loadedArea_[i] && onDisk[i] != failedWriteArea_[i]) return false;
  }
  return true;
}

bool Database::writeLoadedTeam(File& file, TeamWrite& write, WriteOutcome& outcome) {
  const int team = write.team;
  // A team with no players has nothing to write; its slots were never loaded.
  if (teamPlayers_.empty()) {
    write.state = TeamWriteState::Written;
    return true;
  }
  std::vector<Byte> onDisk(kPlayerAreaSize);
  if (Result<void> read = file.readAt(playerAreaStart(team), onDisk); !read) {
    return outcome.fail(WriteFailure::FileError, read.error(), team);
  }
  if (!holdsOnlyOurBytes(team, onDisk)) {
    return outcome.fail(
        WriteFailure::TeamChangedOnDisk,
        {databasePath_, "Cannot write \"" + databasePath_ + "\": team " + std::to_string(team) +
                            "'s players in the file were changed by another "
                            "program since they were read."},
        team);
  }
  const std::vector<Byte> bytes = encodedPlayers(teamPlayers_);
  if (Result<void> written = file.writeAt(playerAreaStart(team), bytes); !written) {
    write.state = TeamWriteState::PossiblyPartWritten;
    failedWriteArea_ = loadedArea_;
    std::copy(bytes.begin(), bytes.end(), failedWriteArea_.begin());
    return outcome.fail(WriteFailure::FileError, written.error(), team);
  }
  std::copy(bytes.begin(), bytes.end(), loadedArea_.begin());
  failedWriteArea_.clear();
  write.state = TeamWriteState::WrittenPossiblyNotOnDisk;
  if (Result<void> synced = file.sync(); !synced) {
    return outcome.fail(WriteFailure::FileError, synced.error(), team);
  }
  write.state = TeamWriteState::Written;
  // A truncation racing the write would have cut it; the check before the write cannot see it.
  const Result<FileStatus> status = file.status();
  if (!status) return outcome.fail(WriteFailure::FileError, status.error(), team);
  if (const auto change = changeSinceOpened(status.value(), "while it was being written")) {
    write.state = TeamWriteState::PossiblyPartWritten;
    return outcome.fail(
        WriteFailure::FileError,
        {databasePath_, "Cannot finish writing \"" + databasePath_ + "\": " + *change + "."}, team);
  }
  return true;
}

bool Database::stillInPlace(WriteOutcome& outcome) {
  auto file = fileSystem_->openExisting(databasePath_, OpenMode::ReadOnly);
  if (!file) return outcome.fail(WriteFailure::FileError, file.error());
  const Result<FileStatus> status = file.value()->status();
  const Result<void> closed = file.value()->close();
  if (!status) return outcome.fail(WriteFailure::FileError, status.error());
  if (!closed) return outcome.fail(WriteFailure::FileError, closed.error());
  if (status.value().sameFileAs(opened_)) return true;
  // The writes went into the file that was there before; the one under the name has none.
  for (TeamWrite& write : outcome.teams) write.state = TeamWriteState::Untouched;
  return outcome.fail(WriteFailure::FileError,
                      {databasePath_, "Cannot finish writing \"" + databasePath_ +
                                          "\": another file has taken its place while it was "
                                          "being written; the changes went into the file that "
                                          "was there before."});
}

void Database::endWrite(File& file, WriteOutcome& outcome) {
  if (outcome.ok()) stillInPlace(outcome);
  // Reported only when nothing failed before: the data was flushed, so only the close failed.
  if (Result<void> closed = file.close(); !closed && outcome.ok()) {
    outcome.fail(WriteFailure::FileError, closed.error());
  }
}

WriteOutcome Database::StoreTeam(int team) {
  const int teams[] = {team};
  WriteOutcome outcome = WriteOutcome::planned(teams);
  if (teamPlayers_.empty()) {
    outcome.teams.front().state = TeamWriteState::Written;
    return outcome;
  }
  const std::unique_ptr<File> file = beginWrite(outcome);
  if (!file) return outcome;
  writeLoadedTeam(*file, outcome.teams.front(), outcome);
  endWrite(*file, outcome);
  return outcome;
}

WriteOutcome Database::rewriteTeams(std::span<const int> teams, const TeamChange& change) {
  WriteOutcome outcome = WriteOutcome::planned(teams);
  if (teams.empty()) return outcome;
  const std::unique_ptr<File> file = beginWrite(outcome);
  if (!file) return outcome;
  for (TeamWrite& write : outcome.teams) {
    std::vector<Byte> area(kPlayerAreaSize);
    if (Result<void> read = file->readAt(playerAreaStart(write.team), area); !read) {
      outcome.fail(WriteFailure::FileError, read.error(), write.team);
      break;
    }
    takeLoadedArea(write.team, std::move(area));
    change(write.team, teamPlayers_);
    if (!writeLoadedTeam(*file, write, outcome)) break;
  }
  endWrite(*file, outcome);
  return outcome;
}

}  // namespace zelbor::db
