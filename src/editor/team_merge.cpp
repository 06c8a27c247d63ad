#include "team_merge.h"

#include <algorithm>

#include "db/player_fields.h"
#include "player_form.h"

namespace zelbor::editor {
namespace {

using Bytes = db::Bytes<db::kRecordSize>;

std::span<const db::Byte> fieldBytes(const Bytes& record, const db::PlayerField& field) {
  return std::span<const db::Byte>(record).subspan(field.offset, field.width);
}

// A field's value as a store leaves it: a text's bytes after its first NUL and the spaces around
// it are no edit.
db::FieldValue storedValue(const Bytes& record, const db::PlayerField& field) {
  db::FieldValue value = db::readField(field, record);
  if (auto* text = std::get_if<std::string>(&value)) *text = db::trimSpaces(*text);
  return value;
}

bool sameField(const Bytes& a, const Bytes& b, const db::PlayerField& field) {
  return db::sameFieldValue(storedValue(a, field), storedValue(b, field));
}

void copyField(const Bytes& from, Bytes& to, const db::PlayerField& field) {
  std::ranges::copy(fieldBytes(from, field),
                    to.begin() + static_cast<std::ptrdiff_t>(field.offset));
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
    }
    // Saved as the same edits typed again over the file's player would be.
    merge.players[index] = storedAsShown(db::decodePlayerRecord(result));
  }
  return merge;
}

}  // namespace zelbor::editor
