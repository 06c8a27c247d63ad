#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

#include "byte_order.h"

namespace zelbor::db {

inline constexpr std::size_t kRecordSize = 432;
inline constexpr std::size_t kNameWidth = 32;
inline constexpr std::size_t kDateOfBirthWidth = 16;
inline constexpr std::size_t kBestPerformanceWidth = 100;

template <std::size_t N>
using Bytes = std::array<Byte, N>;

// One player as the game stores it. Fields are declared in disk order; visitFields below is the one
// list of them that decoding, encoding and the layout checks share.
struct PlayerRecord {
  Bytes<2> opaque0{};
  Bytes<kNameWidth> realName{};
  Bytes<kNameWidth> spoofName{};
  Bytes<2> opaque66{};
  std::uint8_t bowlStyle = 0;
  std::uint8_t bowlAction = 0;
  Bytes<2> opaque70{};
  Bytes<2> opaque72{};
  Bytes<kDateOfBirthWidth> dateOfBirth{};
  std::int16_t realFace = 0;
  std::int16_t spoofFace = 0;
  Bytes<9> opaque94{};
  std::uint8_t opaque103 = 0;
  Bytes<57> opaque104{};
  std::uint8_t opaque161 = 0;
  std::uint8_t opaque162 = 0;
  std::uint8_t opaque163 = 0;
  Bytes<4> opaque164{};
  Bytes<kBestPerformanceWidth> bestBowlingODI{};
  Bytes<kBestPerformanceWidth> bestBattingODI{};
  std::uint8_t realBat = 0;
  std::uint8_t spoofBat = 0;
  std::uint8_t kit1 = 0;
  std::uint8_t kit2 = 0;
  std::uint8_t helmet = 0;
  std::uint8_t hat = 0;
  std::uint8_t armGuard = 0;
  std::uint8_t kit3 = 0;
  std::uint8_t sunscreen = 0;
  std::uint8_t kit4 = 0;
  std::uint8_t glasses = 0;
  Bytes<4> shirtNumbers{};
  std::uint8_t defaultCaptain = 0;
  std::uint8_t role = 0;
  std::uint8_t battingHand = 0;
  std::uint8_t everBowls = 0;
  std::uint8_t bowlingHand = 0;
  std::uint8_t opaque388 = 0;
  Bytes<4> battingAbilities{};
  Bytes<4> bowlingAbilities{};
  Bytes<5> fieldingAbilities{};
  std::uint8_t notOutsODI = 0;
  std::uint8_t hundredsODI = 0;
  std::uint8_t fiftiesODI = 0;
  std::uint8_t opaque405 = 0;
  std::int16_t runsODI = 0;
  std::int16_t matchesODI = 0;
  std::int16_t inningsODI = 0;
  Bytes<4> opaque412{};
  std::int16_t runsConcededODI = 0;
  std::int16_t wicketsODI = 0;
  std::int16_t ballsBowledODI = 0;
  Bytes<2> opaque422{};
  float bowlingAverageODI = 0;
  float battingAverageODI = 0;
};

// Calls visitor(name, field) for every field in disk order. Works on const and mutable records.
template <class Record, class Visitor>
requires std::is_same_v<std::remove_const_t<Record>, PlayerRecord>
constexpr void visitFields(Record& r, Visitor&& visit) {
  visit("opaque0", r.opaque0);
  visit("realName", r.realName);
  visit("spoofName", r.spoofName);
  visit("opaque66", r.opaque66);
  visit("bowlStyle", r.bowlStyle);
  visit("bowlAction", r.bowlAction);
  visit("opaque70", r.opaque70);
  visit("opaque72", r.opaque72);
  visit("dateOfBirth", r.dateOfBirth);
  visit("realFace", r.realFace);
  visit("spoofFace", r.spoofFace);
  visit("opaque94", r.opaque94);
  visit("opaque103", r.opaque103);
  visit("opaque104", r.opaque104);
  visit("opaque161", r.opaque161);
  visit("opaque162", r.opaque162);
  visit("opaque163", r.opaque163);
  visit("opaque164", r.opaque164);
  visit("bestBowlingODI", r.bestBowlingODI);
  visit("bestBattingODI", r.bestBattingODI);
  visit("realBat", r.realBat);
  visit("spoofBat", r.spoofBat);
  visit("kit1", r.kit1);
  visit("kit2", r.kit2);
  visit("helmet", r.helmet);
  visit("hat", r.hat);
  visit("armGuard", r.armGuard);
  visit("kit3", r.kit3);
  visit("sunscreen", r.sunscreen);
  visit("kit4", r.kit4);
  visit("glasses", r.glasses);
  visit("shirtNumbers", r.shirtNumbers);
  visit("defaultCaptain", r.defaultCaptain);
  visit("role", r.role);
  visit("battingHand", r.battingHand);
  visit("everBowls", r.everBowls);
  visit("bowlingHand", r.bowlingHand);
  visit("opaque388", r.opaque388);
  visit("battingAbilities", r.battingAbilities);
  visit("bowlingAbilities", r.bowlingAbilities);
  visit("fieldingAbilities", r.fieldingAbilities);
  visit("notOutsODI", r.notOutsODI);
  visit("hundredsODI", r.hundredsODI);
  visit("fiftiesODI", r.fiftiesODI);
  visit("opaque405", r.opaque405);
  visit("runsODI", r.runsODI);
  visit("matchesODI", r.matchesODI);
  visit("inningsODI", r.inningsODI);
  visit("opaque412", r.opaque412);
  visit("runsConcededODI", r.runsConcededODI);
  visit("wicketsODI", r.wicketsODI);
  visit("ballsBowledODI", r.ballsBowledODI);
  visit("opaque422", r.opaque422);
  visit("bowlingAverageODI", r.bowlingAverageODI);
  visit("battingAverageODI", r.battingAverageODI);
}

// Disk offset of the named field, or kRecordSize when there is no such field.
consteval std::size_t fieldOffset(std::string_view fieldName) {
  PlayerRecord record{};
  std::size_t offset = 0;
  std::size_t found = kRecordSize;
  visitFields(record, [&](std::string_view name, const auto& field) {
    if (name == fieldName) found = offset;
    offset += sizeof(field);
  });
  return found;
}

consteval std::size_t recordLayoutSize() {
  PlayerRecord record{};
  std::size_t size = 0;
  visitFields(record, [&](std::string_view, const auto& field) { size += sizeof(field); });
  return size;
}

static_assert(recordLayoutSize() == kRecordSize, "the player record must be 432 bytes on disk");
static_assert(fieldOffset("realName") == 2 && fieldOffset("spoofName") == 34);
static_assert(fieldOffset("dateOfBirth") == 74 && fieldOffset("realFace") == 90);
static_assert(fieldOffset("bestBowlingODI") == 168 && fieldOffset("realBat") == 368);
static_assert(fieldOffset("shirtNumbers") == 379 && fieldOffset("battingAbilities") == 389);
static_assert(fieldOffset("runsODI") == 406 && fieldOffset("runsConcededODI") == 416);
static_assert(fieldOffset("battingAverageODI") == 428);

using RecordBytes = std::span<const Byte, kRecordSize>;

// Every byte pattern is a record: decoding cannot fail, and encode(decode(b)) == b.
PlayerRecord decodePlayerRecord(RecordBytes bytes);
void encodePlayerRecord(const PlayerRecord& record, std::span<Byte, kRecordSize> out);
Bytes<kRecordSize> encodePlayerRecord(const PlayerRecord& record);

// A slot is empty when all 32 bytes of its realName are NUL.
bool isEmptySlot(const PlayerRecord& record);

}  // namespace zelbor::db
