#include "table_fields.h"

#include <algorithm>
#include <utility>

#include "controls.h"
#include "db/layout.h"
#include "db/text_codec.h"
#include "player_form.h"

namespace zelbor::editor {
namespace {

db::FieldValue valueIn(const db::PlayerField& field, const db::PlayerRecord& record) {
  const db::Bytes<db::kRecordSize> bytes = db::encodePlayerRecord(record);
  return db::readField(field, db::RecordBytes(bytes.data(), db::kRecordSize));
}

db::PlayerRecord recordIn(std::span<const db::Byte> image, int team, int slot) {
  const auto start = static_cast<std::size_t>(db::slotStart(team, slot));
  return db::decodePlayerRecord(db::RecordBytes(image.data() + start, db::kRecordSize));
}

}  // namespace

std::string fieldCaption(const db::PlayerField& field) {
  for (const ControlField& shown : controlFields()) {
    if (shown.field != &field) continue;
    return std::visit([](auto control) { return std::string(caption(control)); }, shown.control);
  }
  // The fields no box stores: the averages are shown beside the statistics, and the spoof
  // fields follow the real ones.
  if (field.name == "battingAverageODI") return caption(TextBox::txtBatAvge);
  if (field.name == "bowlingAverageODI") return caption(TextBox::txtBowlAvge);
  for (const auto& [spoof, real] : {std::pair{"spoofName", "realName"},
                                    std::pair{"spoofFace", "realFace"},
                                    std::pair{"spoofBat", "realBat"}}) {
    if (field.name == spoof) return "Spoof " + fieldCaption(db::playerField(real));
  }
  return std::string(field.name);
}

std::string shownValue(const db::PlayerField& field, const db::FieldValue& value,
                       exchange::ItemNames names) {
  if (const auto* text = std::get_if<std::string>(&value)) return db::trimSpaces(*text);
  if (field.list && names) {
    if (auto item = names->get()[*field.list].itemText(std::get<int>(value))) return *item;
  }
  return exchange::changeText(field, value);
}

exchange::ItemNames itemNames(const db::Result<db::ValueLists>& lists) {
  if (!lists) return exchange::kRawNumbers;
  return std::cref(lists.value());
}

RestoreChange fieldChange(const std::string& team, int slot, const db::PlayerField& field,
                          const db::PlayerRecord& before, const db::PlayerRecord& after,
                          exchange::ItemNames names) {
  return {team,
          slot,
          db::trimSpaces(db::decodeUpToNul(before.realName)),
          fieldCaption(field),
          shownValue(field, valueIn(field, before), names),
          shownValue(field, valueIn(field, after), names)};
}

RestoreChange differenceChange(const exchange::Difference& difference, const std::string& team,
                               std::span<const db::Byte> a, std::span<const db::Byte> b,
                               exchange::ItemNames names) {
  if (difference.playerField != nullptr && difference.team && difference.slot) {
    const int teamNumber = *difference.team;
    const int slot = *difference.slot;
    return fieldChange(team, slot, *difference.playerField, recordIn(a, teamNumber, slot),
                       recordIn(b, teamNumber, slot), names);
  }
  return {team, difference.slot.value_or(0), {}, difference.field, difference.a, difference.b};
}

}  // namespace zelbor::editor
