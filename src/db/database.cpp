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

Result<Database> Database::open(FileSystem& fileSystem, std::string path) {
  auto file = fileSystem.openExisting(path, OpenMode::ReadOnly);
  if (!file) return file.error();
  const Result<std::uint64_t> size = file.value()->size();
  if (Result<void> closed = file.value()->close(); size && !closed) return closed.error();
  if (!size) return size.error();
  if (size.value() < kMinimumFileSize) {
    return FileError{path, "\"" + path + "\" is " + std::to_string(size.value()) +
                               " bytes long; a player database needs at least " +
                               std::to_string(kMinimumFileSize) + " bytes."};
  }
  return Database(fileSystem, std::move(path), size.value());
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
    Result<void> read = file.value()->readAt(static_cast<std::uint64_t>(teamPositions(team)), bytes);
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
    PlayerRecord record =
        decodePlayerRecord(area.subspan(slot * kRecordSize).first<kRecordSize>());
    if (isEmptySlot(record)) break;
    players.push_back(record);
  }
  return players;
}

Result<std::vector<Byte>> Database::readPlayerArea(int team) const {
  std::vector<Byte> area(kPlayerAreaSize);
  if (Result<void> read = readAt(playerAreaStart(team), area); !read) return read.error();
  return area;
}

Result<void> Database::LoadTeam(int team) {
  Result<std::vector<Byte>> area = readPlayerArea(team);
  if (!area) return area.error();
  teamPlayers_ = decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize>(area.value()));
  return {};
}

Result<void> Database::StoreTeam(int team) {
  // A team with no players has nothing to write; its slots were never loaded.
  if (teamPlayers_.empty()) return {};
  std::vector<Byte> bytes(teamPlayers_.size() * kRecordSize);
  for (std::size_t i = 0; i < teamPlayers_.size(); ++i) {
    encodePlayerRecord(teamPlayers_[i],
                       std::span<Byte>(bytes).subspan(i * kRecordSize).first<kRecordSize>());
  }
  auto file = fileSystem_->openExisting(databasePath_, OpenMode::ReadWrite);
  if (!file) return file.error();
  File& out = *file.value();
  const Result<std::uint64_t> size = out.size();
  if (!size) return closeAfter(size.error(), out);
  if (size.value() != fileSize_) {
    return closeAfter(
        FileError{databasePath_, "Cannot write \"" + databasePath_ + "\": its size changed from " +
                                     std::to_string(fileSize_) + " to " +
                                     std::to_string(size.value()) +
                                     " bytes since it was opened, so nothing was written."},
        out);
  }
  Result<void> written = out.writeAt(playerAreaStart(team), bytes);
  if (written) written = out.sync();
  return closeAfter(written, out);
}

Result<LineupArea> Database::readLineupArea(int team) const {
  LineupArea area{};
  if (Result<void> read = readAt(lineupAreaStart(team), area); !read) return read.error();
  return area;
}

}  // namespace zelbor::db
