#include "team_merge.h"

#include <algorithm>
#include <array>

#include "db/player_fields.h"
#include "player_form.h"

namespace zelbor::editor {
namespace {

using Bytes = db::Bytes<db::kRecordSize>;

std::span<const db::Byte> fieldBytes(const Bytes& record, const db::PlayerField& field) {
  return std::span<const db::Byte>(record).subspan(field.offset, field.width);
}

// By value: a text's bytes after its first NUL, which storing it clears, are no edit.
bool sameField(const Bytes& a, const Bytes& b, const db::PlayerField& field) {
  return db::sameFieldValue(db::readField(field, a), db::readField(field, b));
}

void copyField(const Bytes& from, Bytes& to, const db::PlayerField& field) {
  std::ranges::copy(fieldBytes(from, field),
                    to.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

// The spoof field the game shows in place of a real one; storing the real one sets it too.
const db::PlayerField* spoofFieldOf(const db::PlayerField& field) {
  static const std::array<std::pair<std::string_view, std::string_view>, 3> kPairs = {
      {{"realName", "spoofName"}, {"realFace", "spoofFace"}, {"realBat", "spoofBat"}}};
  for (const auto& [real, spoof] : kPairs) {
    if (field.recordName == real) return &db::playerField(spoof);
  }
  return nullptr;
}

bool edits(const Bytes& loaded, const Bytes& edited) {
  return std::ranges::any_of(controlFields(), [&](const ControlField& control) {
    return !sameField(loaded, edited, *control.field);
  });
}

}  // namespace

TeamMerge mergeTeam(std::span<const db::PlayerRecord> loaded,
                    std::span<const db::PlayerRecord> edited,
                    std::span<const db::PlayerRecord> inFile, bool keepUsersValues) {
  TeamMerge merge;
  merge.players.assign(inFile.begin(), inFile.end());
  const std::size_t players = std::min(loaded.size(), edited.size());
  for (std::size_t index = 0; index < players; ++index) {
    const Bytes base = db::encodePlayerRecord(loaded[index]);
    const Bytes mine = db::encodePlayerRecord(edited[index]);
    if (!edits(base, mine)) continue;
    const int player = static_cast<int>(index) + 1;
    if (index >= inFile.size()) {
      merge.missingPlayers.push_back(player);
      continue;
    }
    Bytes result = db::encodePlayerRecord(inFile[index]);
    for (const ControlField& control : controlFields()) {
      const db::PlayerField& field = *control.field;
      if (sameField(base, mine, field) || sameField(result, mine, field)) continue;
      if (!sameField(base, result, field)) {
        merge.conflicts.push_back(FieldConflict{player, control.control});
        if (!keepUsersValues) continue;
      }
      copyField(mine, result, field);
      if (const db::PlayerField* spoof = spoofFieldOf(field)) copyField(mine, result, *spoof);
    }
    merge.players[index] = db::decodePlayerRecord(result);
  }
  return merge;
}

}  // namespace zelbor::editor
