#include "lineups.h"

#include "db/text_codec.h"

namespace zelbor::tools {

std::string lineupEntryName(std::uint8_t entry, std::span<const db::PlayerRecord> players) {
  if (entry == kEmptyPlace || entry >= players.size()) return {};
  return db::decodeUpToNul(players[entry].realName);
}

std::array<std::vector<std::string>, 4> lineupLines(const db::LineupArea& area,
                                                    std::span<const db::PlayerRecord> players) {
  std::array<std::vector<std::string>, 4> lines;
  for (std::size_t lineup = 0; lineup < kLineupSlots.size(); ++lineup) {
    const LineupSlot& slot = kLineupSlots[lineup];
    for (std::size_t entry = 0; entry < slot.entries; ++entry) {
      lines[lineup].push_back(lineupEntryName(area[slot.offset + entry], players));
    }
  }
  return lines;
}

}  // namespace zelbor::tools
