#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "database.h"

namespace zelbor::db {

// How far a walk over teams 1..17 got. Teams before failedTeam were completed (and, for a rewrite,
// written); the walk stops at the first file error.
struct WalkOutcome {
  std::optional<FileError> error;
  int failedTeam = 0;

  bool ok() const { return !error.has_value(); }
};

// Reads each team in turn and hands its players to `visit`.
WalkOutcome readEachTeam(const Database& database,
                         const std::function<void(int team, std::span<const PlayerRecord>)>& visit);

// Database::rewriteTeams over teams 1..17: one write operation under one lock.
WriteOutcome rewriteEachTeam(const Database& database, const TeamChange& change,
                             const BeforeFirstWrite& beforeFirstWrite = {});

}  // namespace zelbor::db
