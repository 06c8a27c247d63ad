#include <gtest/gtest.h>

#include "tools/file_hash.h"
#include "tools/lineups.h"
#include "tools/spoof_repair.h"

namespace zelbor::tools {
namespace {

db::PlayerRecord withAbilities(db::Bytes<4> batting, db::Bytes<4> bowling, db::Bytes<5> fielding) {
  db::PlayerRecord player;
  player.battingAbilities = batting;
  player.bowlingAbilities = bowling;
  player.fieldingAbilities = fielding;
  return player;
}

TEST(FileHash, SumsInUpperCaseHexadecimal) {
  AbilityTotals example;
  example.add(withAbilities({50, 60, 70, 80}, {10, 20, 30, 40}, {1, 2, 3, 4, 5}));
  example.add(withAbilities({255, 255, 0, 0}, {0, 0, 0, 1}, {100, 0, 0, 0, 0}));
  EXPECT_EQ(hashString(example), "302-65-73");

  EXPECT_EQ(hashString(AbilityTotals{}), "0-0-0");

  AbilityTotals full;
  const db::PlayerRecord maximum =
      withAbilities({255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255, 255});
  for (int player = 0; player < 17 * 48; ++player) full.add(maximum);
  EXPECT_EQ(hashString(full), "CB340-CB340-FE010");
}

TEST(SpoofRepair, CopiesTheThreeRealFieldsAndNothingElse) {
  db::Bytes<db::kRecordSize> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<db::Byte>(i * 37 + 11);
  db::PlayerRecord player = db::decodePlayerRecord(bytes);
  ASSERT_TRUE(repairSpoofFields(player));

  db::Bytes<db::kRecordSize> expected = bytes;
  std::copy_n(bytes.begin() + 2, 32, expected.begin() + 34);  // realName -> spoofName
  std::copy_n(bytes.begin() + 90, 2, expected.begin() + 92);  // realFace -> spoofFace
  expected[369] = bytes[368];                                 // realBat -> spoofBat
  EXPECT_EQ(db::encodePlayerRecord(player), expected);
  EXPECT_FALSE(repairSpoofFields(player)) << "a second run changes nothing";
}

TEST(Lineups, EveryEntryIsOneLineInTheLineupsOrder) {
  std::vector<db::PlayerRecord> players(3);
  const std::string names[] = {"First", "Second", "Third  "};
  for (std::size_t i = 0; i < players.size(); ++i) {
    std::copy(names[i].begin(), names[i].end(), players[i].realName.begin());
  }
  db::LineupArea area{};
  area.fill(kEmptyPlace);
  area[0] = 2;
  area[14] = 0;
  area[15] = 1;  // not an entry of the 15-entry World Cup lineup
  area[16] = 3;  // no loaded player at slot index 3
  area[63] = 1;
  const auto lines = lineupLines(area, players);
  ASSERT_EQ(lines[0].size(), 15u);
  ASSERT_EQ(lines[1].size(), 14u);
  ASSERT_EQ(lines[2].size(), 16u);
  ASSERT_EQ(lines[3].size(), 16u);
  EXPECT_EQ(lines[0][0], "Third  ");
  EXPECT_EQ(lines[0][14], "First");
  EXPECT_EQ(lines[1][0], "");
  EXPECT_EQ(lines[2][0], "");
  EXPECT_EQ(lines[3][15], "Second");
}

}  // namespace
}  // namespace zelbor::tools
