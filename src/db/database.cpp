#include "database.h"

#include "team_name.h"

namespace zelbor::db {
namespace {

Result<void> closeAfter(Result<void> outcome, File& file) {
  Result<void> closed = file.close();
  if (!outcome) return outcome;
  return closed;
}

}  // namespace

std::optional<std::string> Database::changeSinceOpened(const FileStatus& now,
                                                       const std::string& since) const {
  if (!now.sameFileAs(opened_)) return "another file has taken its place " + since;
  if (now.size != opened_.size) {
    return "its size changed from " + std::to_string(opened_.size) + " to " +
           std::to_string(now.size) + " bytes " + since;
  }
  return std::nullopt;
}

Result<Database> Database::open(FileSystem& fileSystem, Path path) {
  auto file = fileSystem.openExisting(path, OpenMode::ReadOnly);
  if (!file) return file.error();
  const Result<FileStatus> status = file.value()->status();
  if (Result<void> closed = file.value()->close(); status && !closed) return closed.error();
  if (!status) return status.error();
  if (status.value().size < kMinimumFileSize) {
    return FileError{path.utf8(), "\"" + path.utf8() + "\" is " + std::to_string(status.value().size) +
                               " bytes long; a player database needs at least " +
                               std::to_string(kMinimumFileSize) + " bytes."};
  }
  return Database(fileSystem, std::move(path), status.value());
}

Result<void> Database::readAt(std::uint64_t offset, std::span<Byte> into) const {
  auto file = fileSystem_->openExisting(databasePath_, OpenMode::ReadOnly);
  if (!file) return file.error();
  return closeAfter(file.value()->readAt(offset, into), *file.value());
}

Result<std::array<std::string, kTeamCount>> Database::readTeamNames() const {
  auto file = fileSystem_->openExisting(databasePath_, OpenMode::ReadOnly);
  if (!file) return file.error();
  std::array<std::string, kTeamCount> names;
  for (int team = 1; team <= kTeamCount; ++team) {
    std::array<Byte, kTeamNameSize> bytes{};
    Result<void> read =
        file.value()->readAt(static_cast<std::uint64_t>(teamPositions(team)), bytes);
    if (!read) return read.error();
    names[team - 1] = teamDisplayName(bytes);
  }
  if (Result<void> closed = file.value()->close(); !closed) return closed.error();
  return names;
}

std::vector<PlayerRecord> decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize> area) {
  std::vector<PlayerRecord> players;
  players.reserve(kPlayerSlots);
  for (int slot = 0; slot < kPlayerSlots; ++slot) {
    PlayerRecord record = decodePlayerRecord(area.subspan(slot * kRecordSize).first<kRecordSize>());
    if (isEmptySlot(record)) break;
    players.push_back(record);
  }
  return players;
}

std::vector<Byte> withPlayers(std::vector<Byte> area, std::span<const PlayerRecord> players) {
  for (std::size_t i = 0; i < players.size(); ++i) {
    encodePlayerRecord(players[i],
                       std::span<Byte>(area).subspan(i * kRecordSize).first<kRecordSize>());
  }
  return area;
}

Result<std::vector<Byte>> Database::readPlayerArea(int team) const {
  std::vector<Byte> area(kPlayerAreaSize);
  if (Result<void> read = readAt(playerAreaStart(team), area); !read) return read.error();
  return area;
}

Result<std::vector<PlayerRecord>> Database::readTeamPlayers(int team) const {
  Result<std::vector<Byte>> area = readPlayerArea(team);
  if (!area) return area.error();
  return decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize>(area.value()));
}

Result<LineupArea> Database::readLineupArea(int team) const {
  LineupArea area{};
  if (Result<void> read = readAt(lineupAreaStart(team), area); !read) return read.error();
  return area;
}

}  // namespace zelbor::db
