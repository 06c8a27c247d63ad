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

bool namedSlot(std::span<const Byte> area, std::size_t slot) {
  const auto name = area.subspan(slot * kRecordSize + fieldOffset("realName"), kNameWidth);
  return std::ranges::any_of(name, [](Byte b) { return b != 0; });
}

// The bytes a team's write covers: whole slots from the first up to the last that holds a player
// (so a store writes records 1..playerCount as always) or differs from the file.
std::size_t lengthToWrite(std::span<const Byte> wanted, std::span<const Byte> onDisk) {
  std::size_t slots = 0;
  while (slots < kPlayerSlots && namedSlot(wanted, slots)) ++slots;
  const auto [lastDiffering, unused] =
      std::mismatch(wanted.rbegin(), wanted.rend(), onDisk.rbegin(), onDisk.rend());
  const auto differingBytes = static_cast<std::size_t>(wanted.rend() - lastDiffering);
  slots = std::max(slots, (differingBytes + kRecordSize - 1) / kRecordSize);
  return slots * kRecordSize;
}

// Whether the team's area in the file holds only what was loaded or what we wrote since.
bool holdsOnlyOurBytes(const TeamAreaWrite& write, std::span<const Byte> onDisk) {
  if (write.loaded.size() != onDisk.size()) return false;
  if (write.failedWrite.size() != onDisk.size()) return std::ranges::equal(onDisk, write.loaded);
  for (std::size_t i = 0; i < onDisk.size(); ++i) {
    if (onDisk[i] != write.loaded[i] && onDisk[i] != write.failedWrite[i]) return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<File> Database::beginWrite(WriteOutcome& outcome) const {
  const auto refuse = [&outcome](WriteFailure kind, FileError reason) {
    outcome.fail(kind, std::move(reason));
    return std::unique_ptr<File>();
  };
  const std::string cannot = "Cannot write \"" + databasePath_.utf8() + "\": ";
  auto opened = fileSystem_->openExisting(databasePath_, OpenMode::ReadWrite);
  if (!opened) return refuse(WriteFailure::FileError, opened.error());
  std::unique_ptr<File> file = std::move(opened).value();
  const Result<bool> locked = takeWritersLock(*file);
  if (!locked) return refuse(WriteFailure::FileError, locked.error());
  if (!locked.value()) {
    return refuse(WriteFailure::AnotherWriter,
                  {databasePath_.utf8(), cannot + "another program is writing it."});
  }
  // Root may open a file without write permission bits for writing; the mark is still meant.
  const Result<bool> readOnly = fileSystem_->isReadOnly(databasePath_);
  if (!readOnly) return refuse(WriteFailure::FileError, readOnly.error());
  if (readOnly.value()) {
    return refuse(WriteFailure::FileError,
                  {databasePath_.utf8(), cannot + "it is read-only (no write permission bits, a read-only "
                                           "mount or an immutable file)."});
  }
  const Result<FileStatus> status = file->status();
  if (!status) return refuse(WriteFailure::FileError, status.error());
  if (const auto change = changeSinceOpened(status.value(), "since it was opened")) {
    return refuse(WriteFailure::FileError, {databasePath_.utf8(), cannot + *change + "."});
  }
  return file;
}

bool Database::writeTeamArea(File& file, const TeamAreaWrite& write, std::span<const Byte> onDisk,
                             TeamWrite& state, WriteOutcome& outcome) const {
  const int team = write.team;
  if (!holdsOnlyOurBytes(write, onDisk)) {
    return outcome.fail(
        WriteFailure::TeamChangedOnDisk,
        {databasePath_.utf8(), "Cannot write \"" + databasePath_.utf8() + "\": team " + std::to_string(team) +
                            "'s players in the file were changed by another "
                            "program since they were read."},
        team);
  }
  if (write.wanted.size() != kPlayerAreaSize) {
    return outcome.fail(
        WriteFailure::FileError,
        {databasePath_.utf8(), "Cannot write \"" + databasePath_.utf8() + "\": team " + std::to_string(team) +
                            "'s players to write are not a whole player area."},
        team);
  }
  const std::size_t length = lengthToWrite(write.wanted, onDisk);
  // A team with no players and no change has nothing to write.
  if (length == 0) {
    state.state = TeamWriteState::Written;
    return true;
  }
  const auto bytes = std::span<const Byte>(write.wanted).first(length);
  if (Result<void> written = file.writeAt(playerAreaStart(team), bytes); !written) {
    state.state = TeamWriteState::PossiblyPartWritten;
    return outcome.fail(WriteFailure::FileError, written.error(), team);
  }
  state.state = TeamWriteState::WrittenPossiblyNotOnDisk;
  if (Result<void> synced = file.sync(); !synced) {
    return outcome.fail(WriteFailure::FileError, synced.error(), team);
  }
  state.state = TeamWriteState::Written;
  // A truncation racing the write would have cut it; the check before the write cannot see it.
  const Result<FileStatus> status = file.status();
  if (!status) return outcome.fail(WriteFailure::FileError, status.error(), team);
  if (const auto change = changeSinceOpened(status.value(), "while it was being written")) {
    state.state = TeamWriteState::PossiblyPartWritten;
    return outcome.fail(
        WriteFailure::FileError,
        {databasePath_.utf8(), "Cannot finish writing \"" + databasePath_.utf8() + "\": " + *change + "."}, team);
  }
  return true;
}

bool Database::stillInPlace(WriteOutcome& outcome) const {
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
                      {databasePath_.utf8(), "Cannot finish writing \"" + databasePath_.utf8() +
                                          "\": another file has taken its place while it was "
                                          "being written; the changes went into the file that "
                                          "was there before."});
}

void Database::endWrite(File& file, WriteOutcome& outcome) const {
  if (outcome.ok()) stillInPlace(outcome);
  // Reported only when nothing failed before: the data was flushed, so only the close failed.
  if (Result<void> closed = file.close(); !closed && outcome.ok()) {
    outcome.fail(WriteFailure::FileError, closed.error());
  }
}

WriteOutcome Database::writeOperation(std::span<const int> teams, const PlanWrite& plan,
                                      const BeforeFirstWrite& beforeFirstWrite) const {
  WriteOutcome outcome = WriteOutcome::planned(teams);
  if (teams.empty()) return outcome;
  const std::unique_ptr<File> file = beginWrite(outcome);
  if (!file) return outcome;
  if (beforeFirstWrite) {
    if (Result<void> ready = beforeFirstWrite(*file); !ready) {
      outcome.fail(WriteFailure::BackupFailed, ready.error());
    }
  }
  for (std::size_t i = 0; i < teams.size() && outcome.ok(); ++i) {
    std::vector<Byte> onDisk(kPlayerAreaSize);
    if (Result<void> read = file->readAt(playerAreaStart(teams[i]), onDisk); !read) {
      outcome.fail(WriteFailure::FileError, read.error(), teams[i]);
      break;
    }
    const TeamAreaWrite write = plan(i, onDisk);
    writeTeamArea(*file, write, onDisk, outcome.teams[i], outcome);
  }
  endWrite(*file, outcome);
  return outcome;
}

WriteOutcome Database::writeTeams(std::span<const TeamAreaWrite> writes,
                                  const BeforeFirstWrite& beforeFirstWrite) const {
  std::vector<int> teams;
  teams.reserve(writes.size());
  for (const TeamAreaWrite& write : writes) teams.push_back(write.team);
  return writeOperation(
      teams, [writes](std::size_t index, const std::vector<Byte>&) { return writes[index]; },
      beforeFirstWrite);
}

WriteOutcome Database::rewriteTeams(std::span<const int> teams, const TeamChange& change,
                                    const BeforeFirstWrite& beforeFirstWrite) const {
  return writeOperation(
      teams,
      [&](std::size_t index, std::vector<Byte> onDisk) {
        std::vector<PlayerRecord> players =
            decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize>(onDisk));
        change(teams[index], players);
        std::vector<Byte> wanted = withPlayers(onDisk, players);
        return TeamAreaWrite{teams[index], std::move(onDisk), std::move(wanted), {}};
      },
      beforeFirstWrite);
}

}  // namespace zelbor::db
