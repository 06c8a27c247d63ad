// The team on screen against a real file: what a save writes, and what the next save compares.
#include "editor/team_on_screen.h"

#include <gmock/gmock.h>

#include <filesystem>

#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/temp_file.h"

namespace zelbor::testing {
namespace {

using editor::TeamOnScreen;

class TeamOnScreenTest : public ::testing::Test {
 protected:
  db::Database openImage(const std::vector<db::Byte>& image) {
    writeFileBytes(path_, image);
    auto database = db::Database::open(db::systemFileSystem(), path_);
    if (!database) throw std::runtime_error(database.error().message);
    return std::move(database).value();
  }
  static TeamOnScreen load(const db::Database& database, int team) {
    db::Result<TeamOnScreen> loaded = TeamOnScreen::LoadTeam(database, team);
    if (!loaded) throw std::runtime_error(loaded.error().message);
    return std::move(loaded).value();
  }

  TempDir dir_;
  std::string path_ = dir_.file("TeamAndPlayerInfo.bag");
};

TEST_F(TeamOnScreenTest, AStoreWritesThePlayersBeforeTheFirstEmptySlotAndNothingAfter) {
  std::vector<db::Byte> image = blankDatabase(db::kMinimumFileSize + 100);
  putTeam(image, 3, 24);
  putPlayer(image, 3, 21, namedPlayer(""));  // players 22..24 stand after the gap
  const db::Database database = openImage(image);
  TeamOnScreen team = load(database, 3);
  ASSERT_EQ(team.playerCount(), 20);
  std::vector<db::PlayerRecord> players = team.players();
  players[4].battingAbilities = {1, 2, 3, 4};
  players[19].runsODI = -7;
  ASSERT_TRUE(team.StoreTeam(database, players, {}));

  putPlayer(image, 3, 5, players[4]);
  putPlayer(image, 3, 20, players[19]);
  EXPECT_EQ(readFileBytes(path_), image);
  EXPECT_EQ(team.player(20).runsODI, -7) << "what was written is the team on screen";
  EXPECT_FALSE(team.storedEdits());
}

TEST_F(TeamOnScreenTest, StoringEveryTeamAsLoadedLeavesTheSampleUnchanged) {
  const std::vector<db::Byte> image = sample::makeSampleDatabase();
  const db::Database database = openImage(image);
  for (int team = 1; team <= db::kTeamCount; ++team) {
    TeamOnScreen shown = load(database, team);
    ASSERT_TRUE(shown.StoreTeam(database, shown.players(), {})) << team;
  }
  EXPECT_EQ(readFileBytes(path_), image);
}

TEST_F(TeamOnScreenTest, ATeamWithoutPlayersStoresNothingAndOpensNothing) {
  std::vector<db::Byte> image = blankDatabase();
  putTeam(image, 1, 3);
  const db::Database database = openImage(image);
  TeamOnScreen empty = load(database, 4);
  EXPECT_EQ(empty.playerCount(), 0);
  std::filesystem::remove(path_);
  EXPECT_TRUE(empty.StoreTeam(database, {}, {}));
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(TeamOnScreenTest, WhatASaveWroteIsWhatTheNextSaveComparesTheFileWith) {
  std::vector<db::Byte> image = blankDatabase();
  putTeam(image, 2, 5);
  const db::Database database = openImage(image);
  TeamOnScreen team = load(database, 2);
  std::vector<db::PlayerRecord> players = team.players();
  players[0].runsODI = 1234;
  team.storePlayer(1, players[0]);
  EXPECT_TRUE(team.storedEdits());
  ASSERT_TRUE(team.StoreTeam(database, players, {}));
  players[1].runsODI = 99;
  ASSERT_TRUE(team.StoreTeam(database, players, {})) << "our own write is no other program's";
  putPlayer(image, 2, 1, players[0]);
  putPlayer(image, 2, 2, players[1]);
  EXPECT_EQ(readFileBytes(path_), image);

  // Another program changes a slot after the players: the area is no longer what was written.
  std::vector<db::Byte> changed = image;
  putPlayer(changed, 2, 7, namedPlayer("Written Elsewhere"));
  writeFileBytes(path_, changed);
  players[2].runsODI = 5;
  const db::WriteOutcome refused = team.StoreTeam(database, players, {});
  EXPECT_EQ(refused.failure, db::WriteFailure::TeamChangedOnDisk);
  EXPECT_EQ(readFileBytes(path_), changed);
  EXPECT_EQ(team.player(3).runsODI, playerAt(image, 2, 3).runsODI)
      << "the refused store keeps the team";

  team = load(database, 2);
  ASSERT_TRUE(team.StoreTeam(database, players, {})) << "a team loaded again is written";
  putPlayer(changed, 2, 3, players[2]);
  EXPECT_EQ(readFileBytes(path_), changed);
}

}  // namespace
}  // namespace zelbor::testing
