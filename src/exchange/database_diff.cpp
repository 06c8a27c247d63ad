#include "database_diff.h"

#include <algorithm>

#include "db/database.h"
#include "db/layout.h"
#include "db/team_name.h"
#include "db/text_codec.h"
#include "db/whole_file.h"
#include "field_cells.h"
#include "text_output.h"
#include "tools/lineups.h"

namespace zelbor::exchange {
namespace {

constexpr std::size_t kShownBytes = 16;

std::string hexBytes(std::span<const db::Byte> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < std::min(bytes.size(), kShownBytes); ++i) {
    if (i > 0) text += ' ';
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0xF];
  }
  if (bytes.size() > kShownBytes) text += " ...";
  return text;
}

// A difference that is not a field of a player loaded in both files.
Difference beyondFields(std::optional<int> team, std::optional<int> slot, std::string field,
                        std::string a, std::string b) {
  Difference difference;
  difference.team = team;
  difference.slot = slot;
  difference.field = std::move(field);
  difference.a = std::move(a);
  difference.b = std::move(b);
  return difference;
}

class Comparison {
 public:
  Comparison(std::span<const db::Byte> a, std::span<const db::Byte> b)
      : a_(a), b_(b), explained_(std::min(a.size(), b.size()), false) {}

  void compareTeam(int team) {
    const std::size_t block = static_cast<std::size_t>(db::teamPositions(team));
    const auto name = [block](std::span<const db::Byte> file) {
      return db::teamDisplayName(file.subspan(block).first<db::kTeamNameSize>());
    };
    if (name(a_) != name(b_)) {
      add(beyondFields(team, std::nullopt, "team name", name(a_), name(b_)), block,
          db::kTeamNameSize);
    }
    const auto players = [team](std::span<const db::Byte> file) {
      return db::decodeTeamPlayers(
          file.subspan(db::playerAreaStart(team)).first<db::kPlayerAreaSize>());
    };
    const std::vector<db::PlayerRecord> playersA = players(a_);
    const std::vector<db::PlayerRecord> playersB = players(b_);
    if (playersA.size() != playersB.size()) {
      differences_.push_back(beyondFields(team, std::nullopt, "players",
                                          std::to_string(playersA.size()),
                                          std::to_string(playersB.size())));
    }
    const std::size_t shared = std::min(playersA.size(), playersB.size());
    for (std::size_t i = 0; i < std::max(playersA.size(), playersB.size()); ++i) {
      const int slot = static_cast<int>(i + 1);
      const std::size_t start = db::slotStart(team, slot);
      if (i < shared) {
        comparePlayer(team, slot, start);
      } else {
        const auto playerName = [i](const std::vector<db::PlayerRecord>& list) {
          return i < list.size() ? db::decodeUpToNul(list[i].realName) : std::string();
        };
        add(beyondFields(team, slot, "player", playerName(playersA), playerName(playersB)), start,
            db::kRecordSize);
      }
    }
    compareLineups(team, playersA, playersB);
    addByteRanges(team, block, static_cast<std::size_t>(db::kTeamBlockSize), shared);
  }

  void compareHeader() {
    addRange(std::nullopt, std::nullopt, "header", 0, 0,
             static_cast<std::size_t>(db::kFirstTeamBlock));
  }

  void compareTail() {
    const std::size_t end = static_cast<std::size_t>(db::teamPositions(db::kTeamCount)) +
                            static_cast<std::size_t>(db::kTeamBlockSize);
    addRange(std::nullopt, std::nullopt, "tail", end, end, explained_.size());
    if (a_.size() != b_.size()) {
      differences_.push_back(beyondFields(std::nullopt, std::nullopt, "length",
                                          std::to_string(a_.size()), std::to_string(b_.size())));
    }
  }

  std::vector<Difference> take() { return std::move(differences_); }

 private:
  void add(Difference difference, std::size_t start, std::size_t length) {
    std::fill_n(explained_.begin() + static_cast<std::ptrdiff_t>(start), length, true);
    differences_.push_back(std::move(difference));
  }

  void comparePlayer(int team, int slot, std::size_t start) {
    const auto recordA = a_.subspan(start).first<db::kRecordSize>();
    const auto recordB = b_.subspan(start).first<db::kRecordSize>();
    for (const db::PlayerField& field : db::kPlayerFields) {
      const db::FieldValue valueA = db::readField(field, recordA);
      const db::FieldValue valueB = db::readField(field, recordB);
      if (db::sameFieldValue(valueA, valueB)) continue;
      add({team, slot, std::string(field.name), changeText(field, valueA),
           changeText(field, valueB), &field, valueB},
          start + field.offset, field.width);
    }
  }

  void compareLineups(int team, const std::vector<db::PlayerRecord>& playersA,
                      const std::vector<db::PlayerRecord>& playersB) {
    const std::size_t area = db::lineupAreaStart(team);
    for (const tools::LineupSlot& lineup : tools::kLineupSlots) {
      for (std::size_t entry = 0; entry < lineup.entries; ++entry) {
        const std::size_t at = area + lineup.offset + entry;
        const auto entryText = [&](std::span<const db::Byte> file,
                                   const std::vector<db::PlayerRecord>& players) {
          const std::uint8_t value = file[at];
          if (value == tools::kEmptyPlace) return std::string("-");
          return "slot " + std::to_string(value + 1) + " " + tools::lineupEntryName(value, players);
        };
        if (a_[at] == b_[at]) continue;
        add(beyondFields(team, std::nullopt,
                         std::string(lineup.caption) + " entry " + std::to_string(entry + 1),
                         entryText(a_, playersA), entryText(b_, playersB)),
            at, 1);
      }
    }
  }

  // The differing bytes of the team block that no difference above accounts for.
  void addByteRanges(int team, std::size_t block, std::size_t size, std::size_t loadedInBoth) {
    const std::size_t area = block + static_cast<std::size_t>(db::kPlayerAreaOffset);
    addRange(team, std::nullopt, "team block", block, block, area);
    for (int slot = 1; slot <= db::kPlayerSlots; ++slot) {
      const std::size_t start = db::slotStart(team, slot);
      const bool loaded = static_cast<std::size_t>(slot) <= loadedInBoth;
      addRange(team, slot, loaded ? "record" : "unloaded slot", start, start,
               start + db::kRecordSize);
    }
    addRange(team, std::nullopt, "team block", block, area + db::kPlayerAreaSize, block + size);
  }

  // Runs of differing, unexplained bytes in [from, to), numbered from `base`.
  void addRange(std::optional<int> team, std::optional<int> slot, std::string_view area,
                std::size_t base, std::size_t from, std::size_t to) {
    to = std::min(to, explained_.size());
    for (std::size_t at = from; at < to;) {
      if (explained_[at] || a_[at] == b_[at]) {
        ++at;
        continue;
      }
      std::size_t end = at;
      while (end < to && !explained_[end] && a_[end] != b_[end]) ++end;
      differences_.push_back(
          beyondFields(team, slot,
                       std::string(area) + " bytes " + std::to_string(at - base) + ".." +
                           std::to_string(end - 1 - base),
                       hexBytes(a_.subspan(at, end - at)), hexBytes(b_.subspan(at, end - at))));
      at = end;
    }
  }

  std::span<const db::Byte> a_;
  std::span<const db::Byte> b_;
  std::vector<bool> explained_;
  std::vector<Difference> differences_;
};

}  // namespace

std::vector<Difference> compareDatabases(std::span<const db::Byte> a, std::span<const db::Byte> b,
                                         std::optional<int> team) {
  Comparison comparison(a, b);
  if (!team) comparison.compareHeader();
  for (int t = 1; t <= db::kTeamCount; ++t) {
    if (!team || *team == t) comparison.compareTeam(t);
  }
  if (!team) comparison.compareTail();
  return comparison.take();
}

db::Result<std::vector<db::Byte>> readDatabaseToCompare(db::FileSystem& fileSystem,
                                                        const std::string& path) {
  // A file too short to be a database would be compared beyond its end; opening refuses it in
  // the words used everywhere.
  if (db::Result<db::Database> opened = db::Database::open(fileSystem, path); !opened) {
    return opened.error();
  }
  // Far beyond the 358 KB of a database; a larger file is refused, not read.
  constexpr std::uint64_t kDatabaseSizeLimit = 64 * 1024 * 1024;
  db::Result<std::vector<db::Byte>> bytes =
      db::readWholeFile(fileSystem, path, kDatabaseSizeLimit, "a database to compare");
  if (bytes && bytes.value().size() < db::kMinimumFileSize) {
    return db::FileError{
        path, "\"" + path + "\" became shorter than a player database while it was read."};
  }
  return bytes;
}

}  // namespace zelbor::exchange
