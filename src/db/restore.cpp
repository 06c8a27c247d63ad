#include "restore.h"

#include <algorithm>

#include "whole_file.h"

namespace zelbor::db {
namespace {

// Far beyond any real database; a larger file is not a copy of one.
constexpr std::uint64_t kDatabaseSizeLimit = 64 * 1024 * 1024;

std::vector<Byte> areaOf(std::span<const Byte> image, int team) {
  const auto start = image.begin() + static_cast<std::ptrdiff_t>(playerAreaStart(team));
  return {start, start + kPlayerAreaSize};
}

}  // namespace

Result<std::vector<Byte>> readDatabaseImage(FileSystem& fileSystem, const Path& path) {
  return readWholeFile(fileSystem, path, kDatabaseSizeLimit, "a player database");
}

Result<std::vector<Byte>> readDatabaseCopy(FileSystem& fileSystem, const Path& path,
                                           std::uint64_t expectedSize) {
  Result<std::vector<Byte>> bytes = readDatabaseImage(fileSystem, path);
  if (!bytes) return bytes.error();
  if (bytes.value().size() != expectedSize) {
    return FileError{path.utf8(), "Cannot restore from \"" + path.utf8() + "\": it is " +
                               std::to_string(bytes.value().size()) +
                               " bytes long, and the database " + std::to_string(expectedSize) +
                               "; a copy of this database has its length."};
  }
  return bytes;
}

Result<RestorePlan> planRestore(FileSystem& fileSystem, const Database& database,
                                const std::string& copyPath, std::span<const int> teams) {
  Result<std::vector<Byte>> current = readDatabaseImage(fileSystem, database.databasePath());
  if (!current) return current.error();
  Result<std::vector<Byte>> copy = readDatabaseCopy(fileSystem, copyPath, current.value().size());
  if (!copy) return copy.error();
  RestorePlan plan{std::move(current).value(), std::move(copy).value(), {}};
  for (int team = 1; team <= kTeamCount; ++team) {
    if (!teams.empty() && std::ranges::find(teams, team) == teams.end()) continue;
    std::vector<Byte> now = areaOf(plan.current, team);
    std::vector<Byte> wanted = areaOf(plan.copy, team);
    if (now != wanted) plan.writes.push_back({team, std::move(now), std::move(wanted), {}});
  }
  return plan;
}

WriteOutcome applyRestore(const Database& database, RestorePlan& plan, const WritePolicy& policy) {
  std::vector<int> teams;
  for (const TeamAreaWrite& write : plan.writes) teams.push_back(write.team);
  return database.rewriteAreas(
      teams,
      [&plan, &teams](int team, std::span<const Byte> onDisk) {
        TeamAreaWrite& write =
            plan.writes[static_cast<std::size_t>(std::ranges::find(teams, team) - teams.begin())];
        write.loaded.assign(onDisk.begin(), onDisk.end());
        std::ranges::copy(
            onDisk, plan.current.begin() + static_cast<std::ptrdiff_t>(playerAreaStart(team)));
        return write.wanted;
      },
      policy);
}

}  // namespace zelbor::db
