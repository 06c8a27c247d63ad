#include "write_outcome.h"

#include <algorithm>

namespace zelbor::db {

WriteOutcome WriteOutcome::planned(std::span<const int> teams) {
  WriteOutcome outcome;
  for (const int team : teams) outcome.teams.push_back({team, TeamWriteState::Untouched});
  return outcome;
}

bool WriteOutcome::everyTeamWritten() const {
  return std::all_of(teams.begin(), teams.end(),
                     [](const TeamWrite& t) { return t.state == TeamWriteState::Written; });
}

std::vector<int> WriteOutcome::teamsIn(TeamWriteState state) const {
  std::vector<int> found;
  for (const TeamWrite& write : teams) {
    if (write.state == state) found.push_back(write.team);
  }
  return found;
}

bool WriteOutcome::fail(WriteFailure kind, FileError reason, int team) {
  failure = kind;
  error = std::move(reason);
  failedTeam = team;
  return false;
}

std::string teamList(std::span<const int> teams) {
  std::vector<std::string> items;
  for (std::size_t start = 0; start < teams.size();) {
    std::size_t end = start + 1;
    while (end < teams.size() && teams[end] == teams[end - 1] + 1) ++end;
    if (end - start >= 3) {
      items.push_back(std::to_string(teams[start]) + " to " + std::to_string(teams[end - 1]));
    } else {
      for (std::size_t i = start; i < end; ++i) items.push_back(std::to_string(teams[i]));
    }
    start = end;
  }
  std::string text = teams.size() == 1 ? "team " : "teams ";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

std::string teamsOnDiskSummary(const WriteOutcome& outcome) {
  struct Clause {
    TeamWriteState state;
    const char* one;
    const char* many;
  };
  static constexpr Clause kClauses[] = {
      {TeamWriteState::Written, " was written", " were written"},
      {TeamWriteState::WrittenPossiblyNotOnDisk, " was written but may not be on disk",
       " were written but may not be on disk"},
      {TeamWriteState::PossiblyPartWritten, " may be part-written", " may be part-written"},
      {TeamWriteState::Untouched, " was not written", " were not written"},
  };
  if (outcome.teamsIn(TeamWriteState::Untouched).size() == outcome.teams.size()) {
    return "Nothing was written.";
  }
  std::string sentence;
  for (const Clause& clause : kClauses) {
    const std::vector<int> teams = outcome.teamsIn(clause.state);
    if (teams.empty()) continue;
    sentence += (sentence.empty() ? "" : "; ") + teamList(teams) +
                (teams.size() == 1 ? clause.one : clause.many);
  }
  sentence[0] = 'T';
  return sentence + ".";
}

}  // namespace zelbor::db
