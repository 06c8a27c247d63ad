#include "cli/cli.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/line_writer.h"
#include "db/database.h"
#include "db/path_in_folder.h"
#include "exchange/table_format.h"
#include "exchange/text_output.h"
#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/faulty_file_system.h"
#include "support/forwarding_file_system.h"
#include "support/process.h"
#include "support/read_only_marked_file_system.h"
#include "support/system_reasons.h"
#include "support/temp_file.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::Eq;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Matcher;
using ::testing::Not;
using ::testing::StartsWith;
using zelbor::testing::blankDatabase;
using zelbor::testing::existingFileReason;
using zelbor::testing::missingFileReason;
using zelbor::testing::namedPlayer;
using zelbor::testing::putPlayer;
using zelbor::testing::putTeamName;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

MATCHER_P(HasLineCount, count, "has " + std::to_string(count) + " lines") {
  return std::count(arg.begin(), arg.end(), '\n') == count;
}

// Passes every call on to the real file system and counts the opens for writing; it can refuse
// one of them.
class RecordingFileSystem final : public zelbor::testing::ForwardingFileSystem {
 public:
  RecordingFileSystem() : ForwardingFileSystem(db::systemFileSystem()) {}

  db::Result<std::unique_ptr<db::File>> openExisting(const db::Path& path,
                                                     db::OpenMode mode) override {
    if (mode == db::OpenMode::ReadWrite && ++writeOpens == refusedWriteOpen) {
      return db::FileError{path.utf8(), "Cannot open \"" + path.utf8() + "\": Disk quota exceeded."};
    }
    return ForwardingFileSystem::openExisting(path, mode);
  }

  int writeOpens = 0;
  int refusedWriteOpen = 0;  // counted from 1; 0 refuses none
};

template <std::size_t N>
void putText(db::Bytes<N>& field, std::string_view text) {
  field.fill(0);
  std::copy(text.begin(), text.end(), field.begin());
}

// A player every list has an item for, with spoof fields equal to the real ones; the abilities
// follow the seed.
db::PlayerRecord cleanPlayer(std::string_view name, std::uint8_t seed) {
  db::PlayerRecord p = namedPlayer(name, seed);
  putText(p.dateOfBirth, "01/02/1980");
  putText(p.bestBowlingODI, "5/20");
  putText(p.bestBattingODI, "101*");
  p.bowlStyle = 3, p.bowlAction = 18, p.realFace = 7, p.realBat = 2, p.kit1 = 1, p.kit2 = 0;
  p.helmet = 2, p.hat = 2, p.armGuard = 1, p.kit3 = 1, p.sunscreen = 6, p.kit4 = 0, p.glasses = 7;
  p.shirtNumbers = {1, 2, 3, 4};
  p.defaultCaptain = 1, p.role = 4, p.battingHand = 0, p.everBowls = 1, p.bowlingHand = 1;
  p.battingAbilities = {seed, static_cast<std::uint8_t>(seed + 15), 55, 99};
  p.bowlingAbilities = {static_cast<std::uint8_t>(seed + 5), 25, 15, 1};
  p.fieldingAbilities = {90, 91, 92, 93, 99};
  p.notOutsODI = 5, p.hundredsODI = 2, p.fiftiesODI = 7;
  p.runsODI = -1, p.matchesODI = 120, p.inningsODI = 110;
  p.runsConcededODI = 3000, p.wicketsODI = 100, p.ballsBowledODI = 6000;
  p.bowlingAverageODI = 0.1f;
  p.battingAverageODI = 45.5f;
  p.spoofName = p.realName, p.spoofFace = p.realFace, p.spoofBat = p.realBat;
  return p;
}

// Team 1: three clean players and a lineup entry past them. Team 2: a name that needs quoting in
// CSV, then an empty slot and a hidden player. Team 3: one player with every kind of fault.
// Team 4: a name holding a tab. Teams 5 to 17 are empty; all other lineup entries are empty.
std::vector<db::Byte> fixtureImage() {
  std::vector<db::Byte> image = blankDatabase();
  for (int team = 1; team <= db::kTeamCount; ++team) {
    putTeamName(image, team, "Team " + std::to_string(team));
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(db::lineupAreaStart(team)),
                db::kLineupAreaSize, db::Byte{255});
  }
  putTeamName(image, 2, std::string("\0Gulls\0Nest", 11));
  putPlayer(image, 1, 1, cleanPlayer("Ann Able", 10));
  putPlayer(image, 1, 2, cleanPlayer("Émile Brook", 20));
  putPlayer(image, 1, 3, cleanPlayer("Cat Crane", 30));
  const std::size_t lineups = db::lineupAreaStart(1);
  image[lineups + 0] = 0;        // World Cup entry 1: Ann Able
  image[lineups + 1] = 2;        // World Cup entry 2: Cat Crane
  image[lineups + 48 + 15] = 3;  // Test Match entry 16: slot 4, not loaded

  putPlayer(image, 2, 1, cleanPlayer("Dan, \"DJ\" Dunn", 40));
  putPlayer(image, 2, 3, cleanPlayer("Hidden Hal", 50));

  db::PlayerRecord faulty = cleanPlayer("Fay Fault", 60);
  faulty.role = 7;
  faulty.realBat = 5;
  faulty.spoofBat = 9;
  putText(faulty.spoofName, "Other");
  faulty.battingAbilities[1] = 150;
  putPlayer(image, 3, 1, faulty);

  putPlayer(image, 4, 1, cleanPlayer("Tab\tName", 70));
  return image;
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    const std::pair<const char*, const char*> lists[] = {
        {"Bats.txt", "Oak Bat\r\nAsh Bat\r\nWillow Bat\r\n"},
        {"Kit1.txt", "Pads A\r\nPads B\r\n"},
        {"Kit2.txt", "Gloves A\r\nGloves B\r\n"},
        {"Kit3.txt", "Boots A\r\nBoots B\r\n"},
        {"Kit4.txt", "Sweater A\r\nSweater B\r\n"},
        {"Guards.txt", "No Guard\r\nRed Guard\r\n"},
    };
    for (const auto& [name, text] : lists) {
      writeFileBytes(dir_.file(name), std::vector<db::Byte>(text, text + std::strlen(text)));
    }
    writeFileBytes(path_, image_);
  }

  Outcome run(const std::vector<std::string>& arguments) { return runOn(fileSystem_, arguments); }
  // Fails the nth call (from 1) of kind `failing`, with EIO.
  Outcome runFailingCall(zelbor::testing::FileCall failing, int nth,
                         const std::vector<std::string>& arguments) {
    zelbor::testing::FaultyFileSystem faulty(db::systemFileSystem());
    int seen = 0;
    faulty.setRule([&](int, zelbor::testing::FileCall call) {
      return call == failing && ++seen == nth ? zelbor::testing::Fault::Fail
                                              : zelbor::testing::Fault::None;
    });
    return runOn(faulty, arguments);
  }
  Outcome runOn(db::FileSystem& fileSystem, const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(arguments, out, err, {fileSystem, dir_.path().string()});
    return {status, out.str(), err.str()};
  }

  TempDir dir_;
  RecordingFileSystem fileSystem_;
  const std::vector<db::Byte> image_ = fixtureImage();
  const std::string path_ = dir_.file("TeamAndPlayerInfo.bag");
};

TEST_F(CliTest, CommandsPrintTheirRecords) {
  std::string teams = "1\t3\tTeam 1\n2\t1\tGulls Nest\n3\t1\tTeam 3\n4\t1\tTeam 4\n";
  for (int team = 5; team <= db::kTeamCount; ++team) {
    teams += std::to_string(team) + "\t0\tTeam " + std::to_string(team) + "\n";
  }
  const std::string show = R"(realName	Émile Brook
spoofName	Émile Brook
bowlStyle	3 (Right Arm Leg Break (don't use))
bowlAction	18 (--)
dateOfBirth	01/02/1980
realFace	7 (Face 7)
spoofFace	7
bestBowlingODI	5/20
bestBattingODI	101*
realBat	2 (Willow Bat)
spoofBat	2
kit1	1 (Pads B)
kit2	0 (Gloves A)
helmet	2 (Albion Classic Debut)
hat	2 (Cap)
armGuard	1 (Red Guard)
kit3	1 (Boots B)
sunscreen	6 (Maximum)
kit4	0 (Sweater A)
glasses	7 (White)
shirtNumbers	1 2 3 4
defaultCaptain	1 (Yes)
role	4 (Wicket-keeper)
battingHand	0 (Left)
everBowls	1 (Yes)
bowlingHand	1 (Right)
battingAbilities	20 35 55 99
bowlingAbilities	25 25 15 1
fieldingAbilities	90 91 92 93 99
notOutsODI	5
hundredsODI	2
fiftiesODI	7
runsODI	-1
matchesODI	120
inningsODI	110
runsConcededODI	3000
wicketsODI	100
ballsBowledODI	6000
bowlingAverageODI	0.1
battingAverageODI	45.5
)";
  const std::string findings =
      "1\t-\tlineup-entry\tTest Match entry 16 names slot 4; the team has 3 loaded players\n"
      "2\t3\thidden-player\tafter the empty slot 2: Hidden Hal\n"
      "3\t1\tno-list-item\trealBat 5: Bats.txt has 3 items\n"
      "3\t1\tno-list-item\trole 7: fixed list has 5 items\n"
      "3\t1\tspoof-differs\tspoofName, spoofBat differ from the real fields\n"
      "3\t1\tability-above-99\tbattingAbilities[1] 150\n";
  const std::string csvHeader =
      "team,slot,realName,spoofName,bowlStyle,bowlAction,dateOfBirth,realFace,spoofFace,"
      "bestBowlingODI,bestBattingODI,realBat,spoofBat,kit1,kit2,helmet,hat,armGuard,kit3,"
      "sunscreen,kit4,glasses,shirtNumbers[0],shirtNumbers[1],shirtNumbers[2],shirtNumbers[3],"
      "defaultCaptain,role,battingHand,everBowls,bowlingHand,battingAbilities[0],"
      "battingAbilities[1],battingAbilities[2],battingAbilities[3],bowlingAbilities[0],"
      "bowlingAbilities[1],bowlingAbilities[2],bowlingAbilities[3],fieldingAbilities[0],"
      "fieldingAbilities[1],fieldingAbilities[2],fieldingAbilities[3],fieldingAbilities[4],"
      "notOutsODI,hundredsODI,fiftiesODI,runsODI,matchesODI,inningsODI,runsConcededODI,"
      "wicketsODI,ballsBowledODI,bowlingAverageODI,battingAverageODI\n";
  const std::string csvRow =
      "2,1,\"Dan, \"\"DJ\"\" Dunn\",\"Dan, \"\"DJ\"\" Dunn\",3,18,01/02/1980,7,7,5/20,101*,2,2,1,0,"
      "2,2,1,1,6,0,7,1,2,3,4,1,4,0,1,1,40,55,55,99,45,25,15,1,90,91,92,93,99,5,2,7,-1,120,110,"
      "3000,100,6000,0.1,45.5\n";

  const struct {
    std::vector<std::string> arguments;
    int status;
    Matcher<std::string> out;
  } cases[] = {
      {{"teams", path_}, 0, Eq(teams)},
      {{"players", path_, "--team", "1"},
       0,
       Eq("1\t1\tAnn Able\n1\t2\tÉmile Brook\n1\t3\tCat Crane\n")},
      {{"players", path_, "--find", "éMI"}, 0, Eq("1\t2\tÉmile Brook\n")},
      {{"players", path_, "--find", "a"}, 0, HasLineCount(5)},
      {{"players", path_, "--team", "4"}, 0, Eq("4\t1\tTab\\tName\n")},
      {{"players", path_, "--find", "ü"}, 0, IsEmpty()},
      {{"show", path_, "--team", "1", "--slot", "2"}, 0, Eq(show)},
      {{"lineups", path_, "--team", "1"},
       0,
       AllOf(StartsWith("World Cup\t1\tAnn Able\nWorld Cup\t2\tCat Crane\nWorld Cup\t3\t\n"),
             HasSubstr("\nWorld Cup\t15\t\nChampions Trophy\t1\t\n"),
             HasSubstr("\nChampions Trophy\t14\t\nOne Day International\t1\t\n"),
             HasSubstr("\nOne Day International\t16\t\nTest Match\t1\t\n"),
             EndsWith("\nTest Match\t16\t\n"), HasLineCount(61))},
      {{"hash", path_}, 0, Eq("60D-1FA-AE6\n")},
      {{"check", path_}, 3, Eq(findings)},
      {{"export", path_, "--team", "2", "--format", "csv"}, 0, Eq(csvHeader + csvRow)},
      {{"export", path_, "--team", "5", "--format", "csv"}, 0, Eq(csvHeader)},
      {{"export", path_, "--team", "5"}, 0, Eq("[]\n")},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run(c.arguments);
    const std::string command = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(outcome.status, c.status) << command << "\n" << outcome.err;
    EXPECT_THAT(outcome.out, c.out) << command;
  }
  EXPECT_EQ(readFileBytes(path_), image_) << "reading commands write nothing";
  EXPECT_EQ(fileSystem_.writeOpens, 0);
}

TEST_F(CliTest, ExportWritesEveryInterpretedFieldAsJson) {
  const Outcome outcome = run({"export", path_, "--team", "1"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_THAT(outcome.out, HasLineCount(5)) << "one player per line";
  const nlohmann::json players = nlohmann::json::parse(outcome.out);
  ASSERT_EQ(players.size(), 3u);
  const nlohmann::json& emile = players[1];
  EXPECT_EQ(emile.size(), 2u + 40u) << "team, slot and the 40 interpreted fields";
  EXPECT_EQ(emile["team"], 1);
  EXPECT_EQ(emile["slot"], 2);
  EXPECT_EQ(emile["realName"], "Émile Brook");
  EXPECT_EQ(emile["role"], 4);
  EXPECT_EQ(emile["runsODI"], -1);
  EXPECT_EQ(emile["fieldingAbilities"], nlohmann::json({90, 91, 92, 93, 99}));
  EXPECT_EQ(emile["battingAverageODI"], 45.5);
  EXPECT_EQ(emile["bowlingAverageODI"], 0.1) << "written as the float's shortest decimal";
  EXPECT_FALSE(emile.contains("opaque0"));

  std::vector<db::Byte> image = image_;
  db::PlayerRecord odd = cleanPlayer("Odd", 1);
  putText(odd.realName, std::string("  Odd \0After", 12));
  odd.battingAverageODI = std::numeric_limits<float>::quiet_NaN();
  odd.bowlingAverageODI = std::numeric_limits<float>::infinity();
  putPlayer(image, 5, 1, odd);
  writeFileBytes(path_, image);
  const nlohmann::json oddPlayers =
      nlohmann::json::parse(run({"export", path_, "--team", "5"}).out);
  EXPECT_EQ(oddPlayers[0]["realName"], "  Odd ") << "up to the NUL, not trimmed";
  EXPECT_TRUE(oddPlayers[0]["battingAverageODI"].is_null());
  EXPECT_TRUE(oddPlayers[0]["bowlingAverageODI"].is_null());
}

TEST_F(CliTest, ExitStatusesTellUsageFileErrorsAndFindings) {
  const std::string missing = dir_.file("missing.bag");
  const std::string shortFile = dir_.file("short.bag");
  writeFileBytes(shortFile, blankDatabase(db::kMinimumFileSize - 1));
  const std::string clean = dir_.file("clean.bag");
  std::vector<db::Byte> cleanImage = fixtureImage();
  for (int team = 1; team <= db::kTeamCount; ++team) {
    std::fill_n(cleanImage.begin() + static_cast<std::ptrdiff_t>(db::lineupAreaStart(team)),
                db::kLineupAreaSize, db::Byte{255});
    std::fill_n(cleanImage.begin() + static_cast<std::ptrdiff_t>(db::playerAreaStart(team)),
                db::kPlayerAreaSize, db::Byte{0});
  }
  putPlayer(cleanImage, 1, 1, cleanPlayer("Ann Able", 10));
  writeFileBytes(clean, cleanImage);
  const std::string noLists = dir_.file("no-lists");
  std::filesystem::create_directory(noLists);
  const std::string hugeLists = dir_.file("huge-lists");
  std::filesystem::create_directory(hugeLists);
  writeFileBytes(hugeLists + "/Bats.txt", {});
  std::filesystem::resize_file(hugeLists + "/Bats.txt", 4 * 1024 * 1024 + 1);

  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string err;  // a part of the error output
  } cases[] = {
      {{}, 1, "A subcommand is required"},
      {{"frobnicate", path_}, 1, "Usage: zelbor-db"},
      {{"teams"}, 1, "FILE is required"},
      {{"show", path_, "--team", "1"}, 1, "--slot"},
      {{"show", path_, "--team", "18", "--slot", "1"}, 1, "whole number in 1..17"},
      {{"show", path_, "--team", "1", "--slot", "4"},
       1,
       "Team 1 has 3 loaded players; slot 4 holds none."},
      {{"show", path_, "--team", "2", "--slot", "3"},
       1,
       "Team 2 has 1 loaded players; slot 3 holds a player the game does not load."},
      {{"teams", path_, "a", "b", "c"}, 1, "zelbor-db teams does not take these arguments: a b c"},
      {{"teams", "--team", "3", path_}, 1, "zelbor-db teams has no such option: --team"},
      {{"lineups", path_}, 1, "--team is required"},
      {{"batch", path_}, 1, "Exactly 1 option from [--all,--team]"},
      {{"batch", path_, "--all", "--team", "2"}, 1, "Exactly 1 option"},
      {{"batch", path_, "--all", "--timing", "101"}, 1, "whole number in 0..100"},
      {{"batch", path_, "--all", "--speed", "0x10"}, 1, "whole number in 0..100"},
      {{"batch", path_, "--all", "--cut", "-5"}, 1, "Usage: zelbor-db batch"},
      {{"export", path_, "--format", "xml"}, 1, "xml"},
      {{"--help"}, 0, ""},
      {{"batch", "--help"}, 0, ""},
      {{"/?"}, 0, ""},
      {{"export", "/?"}, 0, ""},
      {{"hash", "/no-such-folder/x.bag"}, 2, "\"/no-such-folder/x.bag\""},
      {{"teams", missing}, 2, "\"" + missing + "\": " + missingFileReason()},
      {{"hash", shortFile}, 2, "\"" + shortFile + "\" is 358133 bytes long"},
      {{"batch", dir_.path().string(), "--all"},
       2,
       dir_.path().string() + "\": not a regular file"},
      {{"check", path_, "--lists", noLists},
       2,
       db::pathInFolder(noLists, "Bats.txt").utf8() + "\": " + missingFileReason()},
      {{"check", path_, "--lists", hugeLists},
       2,
       db::pathInFolder(hugeLists, "Bats.txt").utf8() +
           "\": it is 4194305 bytes long; a list file may hold at most 4194304 "
           "bytes."},
      {{"sample", path_}, 2, path_ + "\": " + existingFileReason()},
      {{"check", clean}, 0, ""},
      {{"check", path_}, 3, ""},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run(c.arguments);
    const std::string command = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(outcome.status, c.status) << command << "\n" << outcome.err;
    EXPECT_THAT(outcome.err, HasSubstr(c.err)) << command;
    if (c.status == 1) {
      EXPECT_THAT(outcome.err, HasSubstr("Usage: zelbor-db")) << command;
    }
    if (c.status == 0 && (c.arguments.back() == "--help" || c.arguments.back() == "/?")) {
      EXPECT_THAT(outcome.out, HasSubstr("Usage: zelbor-db")) << command;
    }
  }
  EXPECT_EQ(readFileBytes(path_), image_) << "no refused command writes";
  EXPECT_FALSE(std::filesystem::exists(missing));
}

// The writing commands, each with the bytes it must change, worked out by hand from the fixture:
// a scaled byte is rounded half to even from the exact product with the single-precision factor.
struct Patch {
  int team;
  int slot;
  std::size_t offset;  // in the record
  std::vector<db::Byte> bytes;
};

struct WriteCase {
  std::vector<std::string> arguments;
  std::vector<Patch> patches;
  std::string out;
};

constexpr std::size_t kBattingAbilities = 389;  // then the four bowling abilities
constexpr std::size_t kSpoofName = 34;
constexpr std::size_t kSpoofBat = 369;

std::vector<WriteCase> writeCases() {
  // Timing 90, Precision 80, Power 70, Control 60, Accuracy 50, Swing 40, Cut 30, Speed 20 % of
  // {seed, seed + 15, 55, 99} and {seed + 5, 25, 15, 1}; Fay Fault's Precision is 150. Power
  // 38.4999993 gives 38; Accuracy 7.5, 12.5, 17.5, 22.5, 32.5 and 37.5 round to even.
  const auto scaled = [](int team, int slot, std::vector<db::Byte> bytes) {
    return Patch{team, slot, kBattingAbilities, std::move(bytes)};
  };
  std::vector<db::Byte> fayName(32, 0);
  const std::string_view fay = "Fay Fault";
  std::copy(fay.begin(), fay.end(), fayName.begin());
  return {
      {{"batch", "--all", "--timing", "90", "--precision", "080", "--power", "70", "--control",
        "60", "--accuracy", "50", "--swing", "40", "--cut", "30", "--speed", "20"},
       {scaled(1, 1, {9, 20, 38, 59, 8, 10, 5, 0}),
        scaled(1, 2, {18, 28, 38, 59, 12, 10, 5, 0}),
        scaled(1, 3, {27, 36, 38, 59, 18, 10, 5, 0}),
        scaled(2, 1, {36, 44, 38, 59, 22, 10, 5, 0}),
        scaled(3, 1, {54, 120, 38, 59, 32, 10, 5, 0}),
        scaled(4, 1, {63, 68, 38, 59, 38, 10, 5, 0})},
       "players changed\t6\nvalues changed\t48\nhash\t451-DC-AE6\n"},
      {{"batch", "--team", "1", "--timing", "50"},
       {scaled(1, 1, {5}), scaled(1, 2, {10}), scaled(1, 3, {15})},
       "players changed\t3\nvalues changed\t3\nhash\t5EF-1FA-AE6\n"},
      {{"fix-spoof"},
       {{3, 1, kSpoofName, fayName}, {3, 1, kSpoofBat, {5}}},
       "players changed\t1\n"},
  };
}

std::vector<db::Byte> patched(std::vector<db::Byte> image, const std::vector<Patch>& patches) {
  for (const Patch& p : patches) {
    std::copy(p.bytes.begin(), p.bytes.end(),
              image.begin() + static_cast<std::ptrdiff_t>(db::slotStart(p.team, p.slot) + p.offset));
  }
  return image;
}

std::vector<std::string> withFile(std::vector<std::string> arguments, const std::string& path) {
  arguments.insert(arguments.begin() + 1, path);
  return arguments;
}

TEST_F(CliTest, WritingCommandsChangeExactlyTheBytesWorkedOutByHand) {
  for (const WriteCase& c : writeCases()) {
    writeFileBytes(path_, image_);
    const std::vector<db::Byte> expectedImage = patched(image_, c.patches);
    ASSERT_NE(expectedImage, image_) << "the fixture gives every command something to change";

    const Outcome outcome = run(withFile(c.arguments, path_));
    const std::string command = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(outcome.status, 0) << command << "\n" << outcome.err;
    EXPECT_EQ(outcome.out, c.out) << command;
    EXPECT_TRUE(readFileBytes(path_) == expectedImage) << command;
  }
}

TEST_F(CliTest, DryRunsOpenNothingForWritingAndPrintWhatTheRealRunWould) {
  for (const WriteCase& c : writeCases()) {
    writeFileBytes(path_, image_);
    std::vector<std::string> arguments = withFile(c.arguments, path_);
    arguments.push_back("--dry-run");
    const Outcome outcome = run(arguments);
    const std::string command = ::testing::PrintToString(arguments);
    EXPECT_EQ(outcome.status, 0) << command << "\n" << outcome.err;
    EXPECT_EQ(outcome.out, c.out) << command;
    EXPECT_TRUE(readFileBytes(path_) == image_) << command;
    EXPECT_EQ(fileSystem_.writeOpens, 0) << command;
  }
}

// A write or flush failing part-way: the teams before it are written, that team is possibly
// part-written or possibly not on disk (never "untouched"), and the teams after it untouched.
TEST_F(CliTest, AFailurePartWayTellsWhatEachTeamIsOnDisk) {
  using zelbor::testing::FileCall;
  const std::vector<db::Byte> sample = sample::makeSampleDatabase();
  const struct {
    std::vector<std::string> arguments;
    FileCall failing;
    int nth;  // of that kind of call
    std::string summary;
    int untouchedFrom;  // the first team whose area must be as before
  } cases[] = {
      {{"--no-backup", "batch", path_, "--all", "--power", "50"},
       FileCall::Sync,
       6,
       "Teams 1 to 5 were written; team 6 was written but may not be on disk; teams 7 to 17 were "
       "not written.",
       7},
      {{"--no-backup", "fix-spoof", path_},
       FileCall::Write,
       3,
       "Teams 1 and 2 were written; team 3 may be part-written; teams 4 to 17 were not written.",
       4},
      {{"--no-backup", "batch", path_, "--team", "4", "--power", "50"},
       FileCall::Sync,
       1,
       "Team 4 was written but may not be on disk.",
       18},
  };
  // The calls counted are the database's: no backup is taken.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary);
    writeFileBytes(path_, sample);
    const Outcome outcome = runFailingCall(c.failing, c.nth, c.arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_THAT(outcome.err, HasSubstr(path_));
    EXPECT_THAT(outcome.err, HasSubstr(c.summary));
    EXPECT_THAT(outcome.out, IsEmpty());
    const std::vector<db::Byte> after = readFileBytes(path_);
    for (int team = c.untouchedFrom; team <= db::kTeamCount; ++team) {
      EXPECT_EQ(zelbor::testing::playerArea(after, team), zelbor::testing::playerArea(sample, team))
          << team;
    }
  }
}

// After every team was written, a failing step (the close, the hash read back, the report on
// standard output) has its own exit status: a script must not run the batch a second time.
TEST_F(CliTest, AFailureAfterTheWritingHasItsOwnStatus) {
  using zelbor::testing::FileCall;
  const struct {
    std::vector<std::string> arguments;
    FileCall failing;
    int nth;
  } cases[] = {
      {{"--no-backup", "fix-spoof", path_}, FileCall::Close, 3},  // the write operation's close
      {{"--no-backup", "batch", path_, "--all", "--power", "50"},
       FileCall::Open,
       4},  // the hash read back
      {{"--no-backup", "batch", path_, "--team", "1", "--power", "50"}, FileCall::Open, 4},
  };
  // The calls counted are the database's: no backup is taken.
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    writeFileBytes(path_, image_);
    const Outcome outcome = runFailingCall(c.failing, c.nth, c.arguments);
    EXPECT_EQ(outcome.status, 5) << outcome.err;
    EXPECT_THAT(outcome.err, HasSubstr("The file was written; only this later step failed."));
    EXPECT_NE(readFileBytes(path_), image_);
  }

  writeFileBytes(path_, image_);
  std::ostringstream out;
  std::ostringstream err;
  out.setstate(std::ios::badbit);
  EXPECT_EQ(runCli({"fix-spoof", path_}, out, err, {fileSystem_, dir_.path().string()}), 5);
  EXPECT_THAT(err.str(), HasSubstr("Cannot write to standard output."));
  EXPECT_THAT(err.str(), HasSubstr("The file was written"));
}

TEST_F(CliTest, AFileMarkedReadOnlyIsNotWrittenEvenWhenItOpens) {
  zelbor::testing::ReadOnlyMarkedFileSystem marked(db::systemFileSystem(), path_);
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"batch", path_, "--all", "--power", "50"}, {"fix-spoof", path_}}) {
    SCOPED_TRACE(arguments[0]);
    const Outcome outcome = runOn(marked, arguments);
    EXPECT_EQ(outcome.status, 2) << outcome.err;
    EXPECT_THAT(outcome.err, HasSubstr("it is read-only (no write permission bits"));
    EXPECT_THAT(outcome.err, HasSubstr("Nothing was written."));
    EXPECT_EQ(readFileBytes(path_), image_);
  }
}

TEST_F(CliTest, ListItemsThatReadAsNumbersAreExportedAsPositions) {
  // Item n reads as the number n ^ 1, so every item text names another position.
  const std::string folder = dir_.file("numbers");
  std::filesystem::create_directory(folder);
  std::string items;
  for (int position = 0; position < 256; ++position) items += std::to_string(position ^ 1) + "\r\n";
  for (const char* name :
       {"Bats.txt", "Kit1.txt", "Kit2.txt", "Kit3.txt", "Kit4.txt", "Guards.txt"}) {
    writeFileBytes(folder + "/" + name, std::vector<db::Byte>(items.begin(), items.end()));
  }
  for (const char* format : {"csv", "json"}) {
    const Outcome exported =
        run({"export", path_, "--format", format, "--names", "--lists", folder});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string file = dir_.file(std::string("players.") + format);
    writeFileBytes(file, std::vector<db::Byte>(exported.out.begin(), exported.out.end()));
    const Outcome imported = run({"import", path_, file, "--lists", folder});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_THAT(imported.out, HasSubstr("0 fields of 0 players in 0 teams changed.")) << format;
  }
  EXPECT_EQ(readFileBytes(path_), image_);
}

TEST_F(CliTest, SampleWritesANewFileAndNeverOverwrites) {
  const std::string created = dir_.file("new.bag");
  ASSERT_EQ(run({"sample", created}).status, 0);
  EXPECT_EQ(readFileBytes(created), sample::makeSampleDatabase());
  // The refusal to overwrite is among the exit statuses; the existing file stays as it was.
  EXPECT_EQ(run({"sample", path_}).status, 2);
  EXPECT_EQ(readFileBytes(path_), image_);
}

TEST_F(CliTest, OutputThatCannotBeWrittenIsAFileError) {
  std::vector<db::Byte> otherImage = image_;
  otherImage[db::playerAreaStart(1) + 40] ^= 1;
  const std::string other = dir_.file("other.bag");
  writeFileBytes(other, otherImage);
  // Also when what is printed is a finding or a difference, whose own status is 3.
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"teams", path_},
           {"check", path_},
           {"diff", path_, other},
           {"diff", path_, other, "--format", "json"},
           {"import", path_, "-", "--format", "json", "--dry-run"}}) {
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    std::istringstream in("[]");
    EXPECT_EQ(runCli(arguments, out, err, {fileSystem_, dir_.path().string(), &in}), 2)
        << arguments[0];
    EXPECT_THAT(err.str(), HasSubstr("Cannot write to standard output.")) << arguments[0];
  }
  EXPECT_EQ(readFileBytes(path_), image_);
}

// A console shows a character only when all its bytes come in one write.
TEST(LineWriter, HandsOverWholeLinesAndFailsTheStreamWithItsSink) {
  std::vector<std::string> writes;
  bool sinkWorks = true;
  LineWriter writer([&](std::string_view bytes) {
    writes.emplace_back(bytes);
    return sinkWorks;
  });
  std::ostream out(&writer);
  out << "\xC3"
      << "\x89"
      << "lan" << '\t' << 7 << '\n'
      << "two\nthree\nfour";
  EXPECT_EQ(writes, (std::vector<std::string>{"\xC3\x89lan\t7\n", "two\nthree\n"}));
  EXPECT_TRUE(out.flush());
  EXPECT_EQ(writes.back(), "four") << "a flush hands over the unfinished line";

  sinkWorks = false;
  out << "lost\n";
  EXPECT_FALSE(out);
  out.clear();
  out << "after\n";
  EXPECT_FALSE(out.flush()) << "a failed sink fails every write after it";
  EXPECT_EQ(writes.back(), "lost\n");
}

TEST_F(CliTest, OnlyTheFormatsOfThisBuildAreOffered) {
  for (const std::string command : {"export", "import"}) {
    const Outcome help = run({command, "--help"});
    EXPECT_EQ(help.out.find("xlsx") != std::string::npos, buildHasXlsx()) << help.out;
  }
}

TEST_F(CliTest, ABuildWithoutXlsxRefusesWorkbooksAndTouchesNothing) {
  if (buildHasXlsx()) GTEST_SKIP() << "this build reads and writes workbooks";
  const std::string workbook = dir_.file("players.xlsx");
  writeFileBytes(workbook, {'P', 'K'});
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"export", path_, "--format", "xlsx", "--output", workbook},
           {"import", path_, workbook},
           {"import", path_, "-", "--format", "xlsx"}}) {
    const Outcome outcome = run(arguments);
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_THAT(outcome.err, HasSubstr("this build of zelbor-db has no xlsx support"));
  }
  EXPECT_EQ(readFileBytes(workbook), (std::vector<db::Byte>{'P', 'K'}));
  EXPECT_EQ(readFileBytes(path_), image_);
}

TEST_F(CliTest, AnUnexpectedExceptionEndsWithAMessageAndItsOwnStatus) {
  struct ExhaustedFileSystem final : zelbor::testing::ForwardingFileSystem {
    ExhaustedFileSystem() : ForwardingFileSystem(db::systemFileSystem()) {}
    db::Result<std::unique_ptr<db::File>> openExisting(const db::Path&, db::OpenMode) override {
      throw std::bad_alloc();
    }
    db::Result<bool> isReadOnly(const db::Path&) override { throw std::bad_alloc(); }
  } exhausted;
  const Outcome outcome = runOn(exhausted, {"teams", path_});
  EXPECT_EQ(outcome.status, 70);
  EXPECT_THAT(outcome.err, HasSubstr("zelbor-db stopped on an unexpected error: std::bad_alloc"));
}

// Runs the built program: its exit status reaches the shell.
TEST(CliExecutable, RunsCommandsAndReturnsTheirStatus) {
  using zelbor::testing::runCommand;
  using zelbor::testing::shellQuoted;
  TempDir dir;
  const std::string path = shellQuoted(dir.file("sample.bag"));
  const std::string program =
      shellQuoted(std::filesystem::absolute(ZELBOR_DB_EXECUTABLE).string()) + " ";
  EXPECT_EQ(runCommand(program + "sample " + path).exitCode, 0);
  const auto teams = runCommand(program + "teams " + path);
  EXPECT_EQ(teams.exitCode, 0);
  EXPECT_THAT(teams.output, HasLineCount(17));
  EXPECT_EQ(runCommand(program + "check " + path).exitCode, 3)
      << "the sample holds findings; its list files lie beside the program";
  EXPECT_EQ(runCommand(program + "hash " + shellQuoted(dir.file("missing.bag"))).exitCode, 2);
}

}  // namespace
}  // namespace zelbor::cli
