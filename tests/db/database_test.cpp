#include "db/database.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>

#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/read_only_marked_file_system.h"
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
  Database openImage(const std::vector<Byte>& image, FileSystem& fileSystem = systemFileSystem()) {
    writeFileBytes(path_, image);
    auto database = Database::open(fileSystem, path_);
    if (!database) throw std::runtime_error(database.error().message);
    return std::move(database).value();
  }

  // A save's write of `team`: its area as read now, with `edit` made to its players.
  static TeamAreaWrite editedTeam(const Database& database, int team,
                                  void (*edit)(std::vector<PlayerRecord>&)) {
    const Result<std::vector<Byte>> area = database.readPlayerArea(team);
    if (!area) throw std::runtime_error(area.error().message);
    std::vector<PlayerRecord> players =
        decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize>(area.value()));
    edit(players);
    return {team, area.value(), withPlayers(area.value(), players), {}};
  }
  static WriteOutcome write(const Database& database, const TeamAreaWrite& team) {
    return database.writeTeams({&team, 1});
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
    const Result<std::vector<PlayerRecord>> players = database.readTeamPlayers(2);
    ASSERT_TRUE(players) << c.what;
    EXPECT_EQ(players.value().size(), static_cast<std::size_t>(c.expected)) << c.what;
  }
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

  const auto area = database.readPlayerArea(5);
  ASSERT_TRUE(area);
  const auto start = image.begin() + static_cast<std::ptrdiff_t>(playerAreaStart(5));
  EXPECT_TRUE(std::equal(area.value().begin(), area.value().end(), start, start + kPlayerAreaSize))
      << "all 48 slots, also those after the empty slot 3";
  EXPECT_EQ(area.value().size(), kPlayerAreaSize);
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
  const TeamAreaWrite save =
      editedTeam(database, 1, [](std::vector<PlayerRecord>& players) { players[0].runsODI = 12; });
  std::filesystem::remove(path_);
  const Result<std::vector<PlayerRecord>> load = database.readTeamPlayers(2);
  ASSERT_FALSE(load);
  EXPECT_THAT(load.error().message, HasSubstr(path_));
  EXPECT_FALSE(std::filesystem::exists(path_)) << "a failed save must never create the file";
  EXPECT_FALSE(write(database, save));
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(DatabaseTest, AFileShortenedAfterOpeningIsNeverWrittenNorExtended) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 17, 48);
  Database database = openImage(image);
  const TeamAreaWrite save = editedTeam(
      database, 17, [](std::vector<PlayerRecord>& players) { players[47].runsODI = 12; });
  std::filesystem::resize_file(path_, 300000);
  const std::vector<Byte> shortened = readFileBytes(path_);

  const WriteOutcome store = write(database, save);
  ASSERT_FALSE(store);
  EXPECT_THAT(store.error->message, HasSubstr("size changed"));
  EXPECT_EQ(teamsOnDiskSummary(store), "Nothing was written.");
  EXPECT_EQ(readFileBytes(path_), shortened);
  EXPECT_FALSE(database.readTeamPlayers(17)) << "the slots beyond the end cannot be read";
}

TEST_F(DatabaseTest, AFilePutInThePlaceOfTheOpenedOneIsNeverWritten) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 2, 5);
  Database database = openImage(image);
  const TeamAreaWrite save =
      editedTeam(database, 2, [](std::vector<PlayerRecord>& players) { players[0].runsODI = 12; });
  const std::vector<Byte> other = blankDatabase();
  writeFileBytes(dir_.file("other.bag"), other);
  std::filesystem::rename(dir_.file("other.bag"), path_);

  const WriteOutcome store = write(database, save);
  ASSERT_FALSE(store);
  EXPECT_THAT(store.error->message, HasSubstr("another file has taken its place"));
  EXPECT_EQ(readFileBytes(path_), other);
}

}  // namespace
}  // namespace zelbor::db

namespace zelbor::db {
namespace {

TEST_F(DatabaseTest, AWriteRefusesATeamAnotherProgramChangedSinceItWasRead) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 2, 5);
  Database database = openImage(image);
  const TeamAreaWrite save = editedTeam(
      database, 2, [](std::vector<PlayerRecord>& players) { players[0].runsODI = 1234; });
  // Another program changes a slot after the players: not ours to write, but the area is no
  // longer what was read.
  std::vector<Byte> changed = image;
  putPlayer(changed, 2, 7, namedPlayer("Written Elsewhere"));
  writeFileBytes(path_, changed);

  const WriteOutcome store = write(database, save);
  EXPECT_EQ(store.failure, WriteFailure::TeamChangedOnDisk);
  EXPECT_EQ(store.failedTeam, 2);
  EXPECT_THAT(store.error->message, HasSubstr("changed by another program"));
  EXPECT_EQ(teamsOnDiskSummary(store), "Nothing was written.");
  EXPECT_EQ(readFileBytes(path_), changed);
}

TEST_F(DatabaseTest, ASecondWriterWaitsForTheLockThenRefusesWithoutWriting) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 1, 3);
  Database database = openImage(image);
  const TeamAreaWrite save = editedTeam(
      database, 1, [](std::vector<PlayerRecord>& players) { players[1].matchesODI = 77; });
  {
    auto holder = systemFileSystem().openExisting(path_, OpenMode::ReadWrite);
    ASSERT_TRUE(holder);
    ASSERT_TRUE(holder.value()->tryLock().value());
    auto other = systemFileSystem().openExisting(path_, OpenMode::ReadWrite);
    ASSERT_TRUE(other);
    EXPECT_FALSE(other.value()->tryLock().value()) << "another open file, same process";

    const WriteOutcome store = write(database, save);
    EXPECT_EQ(store.failure, WriteFailure::AnotherWriter);
    EXPECT_THAT(store.error->message, HasSubstr("another program is writing it"));
    EXPECT_EQ(readFileBytes(path_), image);
  }
  ASSERT_TRUE(write(database, save)) << "closing the holder released the lock";
  PlayerRecord second = zelbor::testing::playerAt(image, 1, 2);
  second.matchesODI = 77;
  putPlayer(image, 1, 2, second);
  EXPECT_EQ(readFileBytes(path_), image);
}

TEST_F(DatabaseTest, RewritingChosenTeamsWritesOnlyThemInTheOrderGiven) {
  std::vector<Byte> image = blankDatabase();
  for (int team = 1; team <= kTeamCount; ++team) putTeam(image, team, 2);
  Database database = openImage(image);
  std::vector<int> seen;
  const int chosen[] = {9, 4, 16};
  const WriteOutcome outcome =
      database.rewriteTeams(chosen, [&seen](int team, std::span<PlayerRecord> players) {
        seen.push_back(team);
        players[1].wicketsODI = static_cast<std::int16_t>(team);
      });
  ASSERT_TRUE(outcome);
  EXPECT_EQ(seen, std::vector<int>(std::begin(chosen), std::end(chosen)));
  EXPECT_EQ(teamsOnDiskSummary(outcome), "Teams 9, 4 and 16 were written.");
  for (const int team : chosen) {
    PlayerRecord player = zelbor::testing::playerAt(image, team, 2);
    player.wicketsODI = static_cast<std::int16_t>(team);
    putPlayer(image, team, 2, player);
  }
  EXPECT_EQ(readFileBytes(path_), image);
}

TEST_F(DatabaseTest, SnapshotsWriteWholeAreasAndAStaleOneIsRefused) {
  std::vector<Byte> image = blankDatabase();
  for (int team = 1; team <= kTeamCount; ++team) putTeam(image, team, 4);
  putPlayer(image, 6, 7, namedPlayer("Hidden After A Gap"));  // slot 5 stays empty
  Database database = openImage(image);

  // Team 6's whole area, its hidden slot included, and team 9 with one player more.
  std::vector<Byte> after = image;
  putPlayer(after, 6, 7, namedPlayer("Restored Hidden"));
  putPlayer(after, 6, 1, namedPlayer("Restored First"));
  putPlayer(after, 9, 5, namedPlayer("Added Fifth"));
  const TeamAreaWrite writes[] = {
      {6, zelbor::testing::playerArea(image, 6), zelbor::testing::playerArea(after, 6), {}},
      {9, zelbor::testing::playerArea(image, 9), zelbor::testing::playerArea(after, 9), {}},
  };
  const WriteOutcome outcome = database.writeTeams(writes);
  ASSERT_TRUE(outcome) << outcome.error->message;
  EXPECT_EQ(teamsOnDiskSummary(outcome), "Teams 6 and 9 were written.");
  EXPECT_EQ(readFileBytes(path_), after);

  // A snapshot older than the file is refused, and nothing of the operation is written.
  const TeamAreaWrite stale[] = {
      {9, zelbor::testing::playerArea(image, 9), zelbor::testing::playerArea(image, 9), {}}};
  const WriteOutcome refused = database.writeTeams(stale);
  EXPECT_EQ(refused.failure, WriteFailure::TeamChangedOnDisk);
  EXPECT_EQ(refused.failedTeam, 9);
  EXPECT_EQ(readFileBytes(path_), after);
}

// Windows refuses to replace a file while it is open without delete sharing, as ours is.
#ifndef _WIN32
TEST_F(DatabaseTest, AFileMovedIntoPlaceDuringAWalkIsNotReportedAsWritten) {
  std::vector<Byte> image = blankDatabase();
  for (int team = 1; team <= kTeamCount; ++team) putTeam(image, team, 1);
  Database database = openImage(image);
  const std::vector<Byte> other = blankDatabase();
  writeFileBytes(dir_.file("other.bag"), other);
  const int teams[] = {1, 2, 3};
  const WriteOutcome outcome =
      database.rewriteTeams(teams, [this](int team, std::span<PlayerRecord> players) {
        players[0].matchesODI = 5;
        if (team == 2) std::filesystem::rename(dir_.file("other.bag"), path_);
      });
  ASSERT_FALSE(outcome);
  EXPECT_THAT(outcome.error->message,
              HasSubstr("another file has taken its place while it was being written"));
  EXPECT_EQ(teamsOnDiskSummary(outcome), "Nothing was written.") << "not into this file";
  EXPECT_EQ(readFileBytes(path_), other);
}
#endif

TEST_F(DatabaseTest, AReadOnlyFileIsNotWrittenEvenByRoot) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 1, 3);
  Database database = openImage(image);
  const TeamAreaWrite save = editedTeam(
      database, 1, [](std::vector<PlayerRecord>& players) { players[0].hundredsODI = 9; });
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::group_read |
                                          std::filesystem::perms::others_read);
  const WriteOutcome store = write(database, save);
  ASSERT_FALSE(store);
  // Root opens it and is refused by the mode bits; anyone else is refused the open.
  EXPECT_THAT(store.error->message,
              ::testing::AnyOf(HasSubstr("it is read-only"),
                               HasSubstr(zelbor::testing::permissionDeniedReason())));
  EXPECT_EQ(readFileBytes(path_), image);
}

TEST_F(DatabaseTest, AFileMarkedReadOnlyIsNotWrittenEvenWhenItOpens) {
  std::vector<Byte> image = blankDatabase();
  putTeam(image, 1, 3);
  zelbor::testing::ReadOnlyMarkedFileSystem marked(systemFileSystem(), path_);
  Database database = openImage(image, marked);
  const TeamAreaWrite save = editedTeam(
      database, 1, [](std::vector<PlayerRecord>& players) { players[0].hundredsODI = 9; });
  const WriteOutcome store = write(database, save);
  ASSERT_FALSE(store);
  EXPECT_EQ(store.error->message, "Cannot write \"" + path_ +
                                      "\": it is read-only (no write permission bits, a read-only "
                                      "mount or an immutable file).");
  EXPECT_EQ(teamsOnDiskSummary(store), "Nothing was written.");
  EXPECT_EQ(readFileBytes(path_), image);
}

#ifndef _WIN32
TEST_F(DatabaseTest, AFifoOrDeviceIsRefusedAtOnce) {
  const std::string fifo = dir_.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/null")}) {
    // Opening a FIFO without a writer would wait forever if the refusal came after the open.
    const auto opened = Database::open(systemFileSystem(), path);
    ASSERT_FALSE(opened) << path;
    EXPECT_EQ(opened.error().message, "Cannot open \"" + path + "\": not a regular file.");
  }
}
#endif

TEST(WriteOutcomeSummary, NamesEachTeamByWhatIsOnDisk) {
  const auto outcome = [](std::vector<TeamWriteState> states) {
    WriteOutcome result;
    for (std::size_t i = 0; i < states.size(); ++i) {
      result.teams.push_back({static_cast<int>(i) + 1, states[i]});
    }
    return result;
  };
  using S = TeamWriteState;
  const struct {
    WriteOutcome outcome;
    std::string summary;
  } cases[] = {
      {outcome({S::Untouched, S::Untouched}), "Nothing was written."},
      {outcome({S::Written}), "Team 1 was written."},
      {outcome({S::Written, S::Written, S::WrittenPossiblyNotOnDisk, S::Untouched}),
       "Teams 1 and 2 were written; team 3 was written but may not be on disk; team 4 was not "
       "written."},
      {outcome({S::Written, S::Written, S::Written, S::PossiblyPartWritten, S::Untouched,
                S::Untouched, S::Untouched}),
       "Teams 1 to 3 were written; team 4 may be part-written; teams 5 to 7 were not written."},
  };
  for (const auto& c : cases) EXPECT_EQ(teamsOnDiskSummary(c.outcome), c.summary);
  const std::vector<int> teams = {1, 2, 3, 5, 7, 8, 9, 10, 12, 13};
  EXPECT_EQ(teamList(teams), "teams 1 to 3, 5, 7 to 10, 12 and 13");
}

}  // namespace
}  // namespace zelbor::db
