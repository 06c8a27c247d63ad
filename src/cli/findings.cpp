#include "findings.h"

#include <algorithm>
#include <array>

#include "db/player_fields.h"
#include "db/text_codec.h"
#include "tools/lineups.h"
#include "tools/spoof_repair.h"

namespace zelbor::cli {
namespace {

constexpr int kHighestAbility = 99;

// The names of the fields whose bytes differ between the two records, in disk order.
std::string differingFields(const db::PlayerRecord& before, const db::PlayerRecord& after) {
  const auto beforeBytes = db::encodePlayerRecord(before);
  const auto afterBytes = db::encodePlayerRecord(after);
  std::string names;
  std::ptrdiff_t offset = 0;
  db::visitFields(before, [&](std::string_view name, const auto& field) {
    const std::ptrdiff_t start = offset;
    offset += static_cast<std::ptrdiff_t>(sizeof(field));
    if (!std::equal(beforeBytes.begin() + start, beforeBytes.begin() + offset,
                    afterBytes.begin() + start)) {
      names += (names.empty() ? "" : ", ") + std::string(name);
    }
  });
  return names;
}

void addListFindings(int team, int slot, const db::PlayerRecord& player,
                     const db::ValueLists& lists, std::vector<Finding>& findings) {
  const auto record = db::encodePlayerRecord(player);
  for (const db::PlayerField& field : db::kPlayerFields) {
    if (!field.list) continue;
    const db::ValueList& list = lists[*field.list];
    const int value = std::get<int>(db::readField(field, record));
    if (list.itemText(value)) continue;
    findings.push_back({team, slot, "no-list-item",
                        std::string(field.name) + " " + std::to_string(value) + ": " + list.source +
                            " has " + std::to_string(list.items.size()) + " items"});
  }
}

void addSpoofFinding(int team, int slot, const db::PlayerRecord& player,
                     std::vector<Finding>& findings) {
  db::PlayerRecord repaired = player;
  if (!tools::repairSpoofFields(repaired)) return;
  findings.push_back({team, slot, "spoof-differs",
                      differingFields(player, repaired) + " differ from the real fields"});
}

void addAbilityFindings(int team, int slot, const db::PlayerRecord& player,
                        std::vector<Finding>& findings) {
  const std::array<std::pair<std::string_view, std::span<const std::uint8_t>>, 3> abilities = {{
      {"battingAbilities", player.battingAbilities},
      {"bowlingAbilities", player.bowlingAbilities},
      {"fieldingAbilities", player.fieldingAbilities},
  }};
  for (const auto& [name, values] : abilities) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (values[i] <= kHighestAbility) continue;
      findings.push_back(
          {team, slot, "ability-above-99",
           std::string(name) + "[" + std::to_string(i) + "] " + std::to_string(values[i])});
    }
  }
}

}  // namespace

std::vector<Finding> teamFindings(int team, std::span<const db::Byte, db::kPlayerAreaSize> area,
                                  const db::LineupArea& lineups, const db::ValueLists& lists) {
  std::vector<Finding> findings;
  const std::vector<db::PlayerRecord> players = db::decodeTeamPlayers(area);
  const int playerCount = static_cast<int>(players.size());
  for (int slot = 1; slot <= playerCount; ++slot) {
    const db::PlayerRecord& player = players[static_cast<std::size_t>(slot - 1)];
    addListFindings(team, slot, player, lists, findings);
    addSpoofFinding(team, slot, player, findings);
    addAbilityFindings(team, slot, player, findings);
  }
  const int firstEmptySlot = playerCount + 1;
  for (int slot = firstEmptySlot + 1; slot <= db::kPlayerSlots; ++slot) {
    const db::PlayerRecord record =
        db::decodePlayerRecord(area.subspan(static_cast<std::size_t>(slot - 1) * db::kRecordSize)
                                   .first<db::kRecordSize>());
    if (db::isEmptySlot(record)) continue;
    findings.push_back({team, slot, "hidden-player",
                        "after the empty slot " + std::to_string(firstEmptySlot) + ": " +
                            db::decodeUpToNul(record.realName)});
  }
  for (const tools::LineupSlot& lineup : tools::kLineupSlots) {
    for (std::size_t entry = 0; entry < lineup.entries; ++entry) {
      const std::uint8_t value = lineups[lineup.offset + entry];
      if (value == tools::kEmptyPlace || value < playerCount) continue;
      findings.push_back({team, std::nullopt, "lineup-entry",
                          std::string(lineup.caption) + " entry " + std::to_string(entry + 1) +
                              " names slot " + std::to_string(value + 1) + "; the team has " +
                              std::to_string(playerCount) + " loaded players"});
    }
  }
  return findings;
}

}  // namespace zelbor::cli
