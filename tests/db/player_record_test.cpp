#include "db/player_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zelbor::db {
namespace {

TEST(PlayerRecord, AnyBytesRoundTripExactly) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 2000; ++round) {
    Bytes<kRecordSize> bytes{};
    for (Byte& b : bytes) b = static_cast<Byte>(random());
    if (round == 0) {
      // A signalling NaN with a payload in both averages must survive as it is.
      const Bytes<4> nan = {0x01, 0x00, 0x80, 0x7F};
      std::copy(nan.begin(), nan.end(), bytes.begin() + 424);
      std::copy(nan.begin(), nan.end(), bytes.begin() + 428);
    }
    const PlayerRecord record = decodePlayerRecord(bytes);
    ASSERT_EQ(encodePlayerRecord(record), bytes) << "round " << round;
  }
}

TEST(PlayerRecord, FieldsSitAtTheirOffsets) {
  Bytes<kRecordSize> bytes{};
  bytes[2] = 'A';
  bytes[90] = 12;
  bytes[368] = 3;
  bytes[389] = 90;
  bytes[401] = 7;
  bytes[406] = 0xFF;
  bytes[407] = 0xFF;
  bytes[408] = 0x2C;  // 300
  bytes[409] = 0x01;
  const Bytes<4> fortyFiveAndAHalf = {0x00, 0x00, 0x36, 0x42};
  std::copy(fortyFiveAndAHalf.begin(), fortyFiveAndAHalf.end(), bytes.begin() + 428);

  const PlayerRecord record = decodePlayerRecord(bytes);
  EXPECT_EQ(record.realName[0], 'A');
  EXPECT_EQ(record.realFace, 12);
  EXPECT_EQ(record.realBat, 3);
  EXPECT_EQ(record.battingAbilities[0], 90);
  EXPECT_EQ(record.fieldingAbilities[4], 7);
  EXPECT_EQ(record.runsODI, -1);
  EXPECT_EQ(record.matchesODI, 300);
  EXPECT_EQ(record.battingAverageODI, 45.5f);

  PlayerRecord written;
  written.battingAverageODI = 45.5f;
  written.runsODI = -1;
  const Bytes<kRecordSize> encoded = encodePlayerRecord(written);
  EXPECT_EQ(std::vector<Byte>(encoded.begin() + 428, encoded.end()),
            std::vector<Byte>(fortyFiveAndAHalf.begin(), fortyFiveAndAHalf.end()));
  EXPECT_EQ(encoded[406], 0xFF);
  EXPECT_EQ(encoded[407], 0xFF);
}

TEST(PlayerRecord, ZeroBytesAreAnEmptySlot) {
  const PlayerRecord record = decodePlayerRecord(Bytes<kRecordSize>{});
  EXPECT_TRUE(isEmptySlot(record));
  EXPECT_EQ(record.role, 0);
  EXPECT_EQ(record.battingAverageODI, 0.0f);

  PlayerRecord spaces;
  spaces.realName.fill(' ');
  EXPECT_FALSE(isEmptySlot(spaces));
  PlayerRecord nulThenText;
  nulThenText.realName[31] = 'x';
  EXPECT_FALSE(isEmptySlot(nulThenText));
}

}  // namespace
}  // namespace zelbor::db
