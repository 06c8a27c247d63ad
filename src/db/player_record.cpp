#include "player_record.h"

#include <algorithm>

namespace zelbor::db {

PlayerRecord decodePlayerRecord(RecordBytes bytes) {
  PlayerRecord record;
  std::size_t offset = 0;
  visitFields(record, [&](std::string_view, auto& field) {
    using Field = std::remove_cvref_t<decltype(field)>;
    constexpr std::size_t width = sizeof(Field);
    const std::span<const Byte, width> view = bytes.subspan(offset).template first<width>();
    if constexpr (std::is_same_v<Field, std::uint8_t>) {
      field = view[0];
    } else if constexpr (std::is_same_v<Field, std::int16_t>) {
      field = readInt16LE(view);
    } else if constexpr (std::is_same_v<Field, float>) {
      field = readFloat32LE(view);
    } else {
      std::ranges::copy(view, field.begin());
    }
    offset += width;
  });
  return record;
}

void encodePlayerRecord(const PlayerRecord& record, std::span<Byte, kRecordSize> out) {
  std::size_t offset = 0;
  visitFields(record, [&](std::string_view, const auto& field) {
    using Field = std::remove_cvref_t<decltype(field)>;
    constexpr std::size_t width = sizeof(Field);
    const std::span<Byte, width> view = out.subspan(offset).template first<width>();
    if constexpr (std::is_same_v<Field, std::uint8_t>) {
      view[0] = field;
    } else if constexpr (std::is_same_v<Field, std::int16_t>) {
      writeInt16LE(view, field);
    } else if constexpr (std::is_same_v<Field, float>) {
      writeFloat32LE(view, field);
    } else {
      std::ranges::copy(field, view.begin());
    }
    offset += width;
  });
}

Bytes<kRecordSize> encodePlayerRecord(const PlayerRecord& record) {
  Bytes<kRecordSize> bytes{};
  encodePlayerRecord(record, bytes);
  return bytes;
}

bool isEmptySlot(const PlayerRecord& record) {
  return std::ranges::all_of(record.realName, [](Byte b) { return b == 0; });
}

}  // namespace zelbor::db
