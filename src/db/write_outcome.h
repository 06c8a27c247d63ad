#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "result.h"

namespace zelbor::db {

// What a write operation left of one team in the file.
enum class TeamWriteState {
  Untouched,                 // not written: not reached, refused, or its write never started
  Written,                   // written and flushed to disk (or it had no players to write)
  WrittenPossiblyNotOnDisk,  // written, but the flush failed: the disk may still hold the old
  PossiblyPartWritten,       // the write failed or the file changed under it: old, new or mixed
};

struct TeamWrite {
  int team = 0;
  TeamWriteState state = TeamWriteState::Untouched;
};

enum class WriteFailure {
  None,
  // Another of our programs held the writer's lock for the whole wait; nothing was written.
  AnotherWriter,
  // The team's player area in the file is no longer what was loaded: another program wrote it.
  TeamChangedOnDisk,
  // The backup to be taken before the first byte is written could not be made; nothing was
  // written.
  BackupFailed,
  // Any other refusal or file error: open, read-only, size or identity changed, read, write,
  // flush, close.
  FileError,
};

// The result of a write operation: what became of each team it was to write, in its order, and
// the failure that stopped it. The error's message names the file and the reason only; which
// teams are on disk is for the front end to word, with teamsOnDiskSummary or its own.
struct WriteOutcome {
  std::vector<TeamWrite> teams;
  WriteFailure failure = WriteFailure::None;
  std::optional<FileError> error;
  // The team being loaded, compared or written when the operation stopped; 0 when it stopped
  // before the first team (open, lock, checks) or after the last (close).
  int failedTeam = 0;

  // Every team of `teams` planned, none written yet.
  static WriteOutcome planned(std::span<const int> teams);

  bool ok() const { return failure == WriteFailure::None; }
  explicit operator bool() const { return ok(); }
  // True when every team is Written: a failure then came from a later step only.
  bool everyTeamWritten() const;
  std::vector<int> teamsIn(TeamWriteState state) const;
  // Records the failure that ends the operation and returns false, for the caller to pass on.
  bool fail(WriteFailure kind, FileError reason, int team = 0);
};

// "team 6", "teams 1 to 5", "teams 1, 3 and 7 to 9": the numbers in the order given, runs of
// three or more joined.
std::string teamList(std::span<const int> teams);

// One sentence on what is in the file: "Teams 1 to 5 were written; team 6 was written but may not
// be on disk; teams 7 to 17 were not written." or "Nothing was written."
std::string teamsOnDiskSummary(const WriteOutcome& outcome);

}  // namespace zelbor::db
