#include "db/database.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/system_reasons.h"
#include "support/temp_file.h"

namespace zelbor::db {
namespace {

using ::testing::HasSubstr;
using zelbor::testing::blankDatabase;
using zelbor::testing::namedPlayer;
using zelbor::testing::putPlayer;
using zelbor::testing::putTeam;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

class DatabaseTest : public ::testing::Test {
 protected:
  Database openImage(const std::vector<Byte>& image) {
    writeFileBytes(path_, image);
    auto database = Database::open(systemFileSystem(), path_);
    if (!database) throw std::runtime_error(database.error().message);
    return std::move(database).value();
  }

  TempDir dir_;
  std::string path_ = dir_.file("TeamAndPlayerInfo.bag");
};

TEST_F(DatabaseTest, LoadKeepsThePlayersBeforeTheFirstEmptySlot) {
  const struct {
    const char* what;
    int named;                // slots 1..named carry names
    int emptySlot;            // then this slot is emptied (0: none)
    const char* specialName;  // name given to slot 3 (nullptr: keep)
    int expected;
  } cases[] = {
      {"all 48 named", 48, 0, nullptr, 48},
      {"slot 10 empty, names after it", 48, 10, nullptr, 9},
      {"only slot 48 empty", 47, 0, nullptr, 47},
      {"slot 1 empty", 48, 1, nullptr, 0},
      {"a name of spaces is a player", 5, 0, "                                ", 5},
      {"a NUL then text is a player", 5, 0, "\0x", 5},
  };
  for (const auto& c : cases) {
    std::vector<Byte> image = blankDatabase();
    putTeam(image, 2, c.named);
    if (c.emptySlot != 0) {
      PlayerRecord empty = namedPlayer("");
      putPlayer(image, 2, c.emptySlot, empty);
    }
    if (c.specialName != nullptr) {
      PlayerRecord special = namedPlayer("");
      const std::string name = c.specialName[0] == '\0' ? std::string("\0x", 2) : c.specialName;
      std::copy(name.begin(), name.end(), special.realName.begin());
      putPlayer(image, 2, 3, special);
    }
    Database database = openImage(image);
    ASSERT_TRUE(database.LoadTeam(2)) << c.what;
    EXPECT_EQ(database.playerCount(), c.expected) << c.what;
  }
}

TEST_F(DatabaseTest, StoreWritesExactlyTheLoadedSlots) {
  std::vector<Byte> image = blankDatabase(kMinimumFileSize + 100);
  putTeam(image, 3, 24);
  putPlayer(image, 3, 21, namedPlayer(""));  // players 22..24 stand after the gap
  Database database = openImage(image);

  ASSERT_TRUE(database.LoadTeam(3));
  ASSERT_EQ(database.playerCount(), 20);
  database.player(5).battingAbilities = {1, 2, 3, 4};
  database.player(20).runsODI = -7;
  ASSERT_TRUE(database.StoreTeam(3));

  std::vector<Byte> expected = image;
  putPlayer(expected, 3, 5, database.player(5));
  putPlayer(expected, 3, 20, database.player(20));
  EXPECT_EQ(readFileBytes(path_), expected);
}

TEST_F(DatabaseTest, LoadingAndStoringEveryTeamLeavesTheSampleUnchanged) {
  const std::vector<Byte> image = sample::makeSampleDatabase();
  Database database = openImage(image);
  for (int team = 1; team <= kTeamCount; ++team) {
    ASSERT_TRUE(database.LoadTeam(team));
    ASSERT_TRUE(database.StoreTeam(team));
  }
  EXPECT_EQ(readFileBytes(path_), image);
}

TEST_F(DatabaseTest, AnEmptyTeamLoadsNoPlayersAndStoresNothing) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 1, 3);
  Database database = openImage(image);
  ASSERT_TRUE(database.LoadTeam(1));
  ASSERT_TRUE(database.LoadTeam(4));
  EXPECT_EQ(database.playerCount(), 0);
  ASSERT_TRUE(database.StoreTeam(4));
  EXPECT_EQ(readFileBytes(path_), image);
}

TEST_F(DatabaseTest, ReadsTeamNamesLineupsAndWholePlayerAreas) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 5, 6);
  putPlayer(image, 5, 3, namedPlayer(""));
  zelbor::testing::putTeamName(image, 1, std::string("AB\0CD", 5));
  zelbor::testing::putTeamName(image, 17, "  Last  ");
  for (std::size_t i = 0; i < kLineupAreaSize; ++i)
    image[lineupAreaStart(17) + i] = static_cast<Byte>(i);
  Database database = openImage(image);

  const auto names = database.readTeamNames();
  ASSERT_TRUE(names);
  EXPECT_EQ(names.value()[0], "AB CD");
  EXPECT_EQ(names.value()[16], "Last");
  const auto lineups = database.readLineupArea(17);
  ASSERT_TRUE(lineups);
  EXPECT_EQ(lineups.value()[0], 0);
  EXPECT_EQ(lineups.value()[63], 63);

  ASSERT_TRUE(database.LoadTeam(1));
  const auto area = database.readPlayerArea(5);
  ASSERT_TRUE(area);
  const auto start = image.begin() + static_cast<std::ptrdiff_t>(playerAreaStart(5));
  EXPECT_TRUE(std::equal(area.value().begin(), area.value().end(), start, start + kPlayerAreaSize))
      << "all 48 slots, also those after the empty slot 3";
  EXPECT_EQ(area.value().size(), kPlayerAreaSize);
  EXPECT_EQ(database.playerCount(), 0) << "teamPlayers keeps the team loaded before";
}

TEST_F(DatabaseTest, RefusesAFileTooShortToBeADatabase) {
  writeFileBytes(path_, blankDatabase(kMinimumFileSize - 1));
  const auto database = Database::open(systemFileSystem(), path_);
  ASSERT_FALSE(database);
  EXPECT_THAT(database.error().message, HasSubstr(path_));
  EXPECT_THAT(database.error().message, HasSubstr("358133"));
  EXPECT_THAT(database.error().message, HasSubstr("358134"));
}

TEST_F(DatabaseTest, ErrorsNameTheFileAndTheReason) {
  const auto missing = Database::open(systemFileSystem(), dir_.file("missing.bag"));
  ASSERT_FALSE(missing);
  EXPECT_THAT(missing.error().message, HasSubstr("missing.bag"));
  EXPECT_THAT(missing.error().message, HasSubstr(zelbor::testing::missingFileReason()));

  std::vector<Byte> image = blankDatabase();
  putTeam(image, 1, 2);
  Database database = openImage(image);
  ASSERT_TRUE(database.LoadTeam(1));
  std::filesystem::remove(path_);
  const Result<void> load = database.LoadTeam(2);
  ASSERT_FALSE(load);
  EXPECT_THAT(load.error().message, HasSubstr(path_));
  EXPECT_EQ(database.playerCount(), 2) << "a failed load keeps the team in memory";
  EXPECT_FALSE(std::filesystem::exists(path_)) << "a failed save must never create the file";
  EXPECT_FALSE(database.StoreTeam(1));
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(DatabaseTest, AFileShortenedAfterOpeningIsNeverWrittenNorExtended) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 17, 48);
  Database database = openImage(image);
  ASSERT_TRUE(database.LoadTeam(17));
  std::filesystem::resize_file(path_, 300000);
  const std::vector<Byte> shortened = readFileBytes(path_);

  const Result<void> store = database.StoreTeam(17);
  ASSERT_FALSE(store);
  EXPECT_THAT(store.error().message, HasSubstr("size changed"));
  EXPECT_EQ(readFileBytes(path_), shortened);
  EXPECT_FALSE(database.LoadTeam(17)) << "the slots beyond the end cannot be read";
}

TEST_F(DatabaseTest, AFilePutInThePlaceOfTheOpenedOneIsNeverWritten) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 2, 5);
  Database database = openImage(image);
  ASSERT_TRUE(database.LoadTeam(2));
  const std::vector<Byte> other = blankDatabase();
  writeFileBytes(dir_.file("other.bag"), other);
  std::filesystem::rename(dir_.file("other.bag"), path_);

  const Result<void> store = database.StoreTeam(2);
  ASSERT_FALSE(store);
  EXPECT_THAT(store.error().message, HasSubstr("another file has taken its place"));
  EXPECT_EQ(readFileBytes(path_), other);
}

}  // namespace
}  // namespace zelbor::db
