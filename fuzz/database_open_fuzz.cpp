// Opens a database from arbitrary bytes. The first byte chooses how the rest becomes a file: as it
// stands (any length, mostly refused as too short), or spread over a file long enough to open.
// Whatever opens is loaded and stored team by team, which must change no byte and no length.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "db/database.h"
#include "memory_file_system.h"
#include "tools/lineups.h"

namespace {

std::vector<zelbor::db::Byte> fileFrom(const std::uint8_t* data, std::size_t size) {
  using namespace zelbor::db;
  if (size == 0 || data[0] % 2 == 0) return {data, data + size};
  std::vector<Byte> file(kMinimumFileSize + data[0] / 2);
  if (size > 1) {
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = data[1 + (i * 7919) % (size - 1)];
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelbor::db;
  const std::vector<Byte> original = fileFrom(data, size);
  zelbor::fuzz::MemoryFileSystem fileSystem(original);
  auto opened = Database::open(fileSystem, "fuzz.bag");
  if (!opened) {
    if (original.size() >= kMinimumFileSize) __builtin_trap();
    return 0;
  }
  Database& database = opened.value();
  if (!database.readTeamNames()) __builtin_trap();
  for (int team = 1; team <= kTeamCount; ++team) {
    // The team's players written back as read leave the file unchanged.
    const auto players = database.readPlayerArea(team);
    if (!players) __builtin_trap();
    const std::vector<PlayerRecord> loaded =
        decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize>(players.value()));
    const TeamAreaWrite write{team, players.value(), withPlayers(players.value(), loaded), {}};
    if (!database.writeTeams({&write, 1})) __builtin_trap();
    const auto area = database.readLineupArea(team);
    if (!area) __builtin_trap();
    (void)zelbor::tools::lineupLines(area.value(), loaded);
  }
  if (fileSystem.contents() != original) __builtin_trap();
  return 0;
}
