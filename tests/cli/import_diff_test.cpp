#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

#include "cli/cli.h"
#include "cli/file_formats.h"
#include "db/database.h"
#include "db/player_fields.h"
#include "db/text_codec.h"
#include "editor/player_form.h"
#include "support/database_image.h"
#include "support/faulty_file_system.h"
#include "support/system_reasons.h"
#include "support/temp_file.h"

namespace zelbor::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;
using zelbor::testing::blankDatabase;
using zelbor::testing::namedPlayer;
using zelbor::testing::playerAt;
using zelbor::testing::putPlayer;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

struct DbRun {
  int status;
  std::string out;
  std::string err;
};

// Runs zelbor-db on the real file system; the list files are those beside the test program.
DbRun runDb(const std::vector<std::string>& arguments, const std::string& input = {},
            db::FileSystem& fileSystem = db::systemFileSystem()) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status =
      runCli(arguments, out, err, {fileSystem, std::filesystem::current_path().string(), &in});
  return {status, out.str(), err.str()};
}

db::ValueLists programLists() {
  return db::ValueLists::load(db::systemFileSystem(), std::filesystem::current_path().string())
      .value();
}

// A database holding what real files may hold: random bytes in every record (out-of-list values,
// odd floats and NaNs with payloads, bytes after a text's NUL), empty teams, and named players
// hidden after a team's first empty slot.
std::vector<db::Byte> generatedDatabase(unsigned seed) {
  std::mt19937 random(seed);
  const auto byte = [&random] { return static_cast<db::Byte>(random() % 256); };
  std::vector<db::Byte> image = blankDatabase();
  for (int team = 1; team <= db::kTeamCount; ++team) {
    const int players = team % 4 == 0 ? 0 : static_cast<int>(random() % 12) + 1;
    for (int slot = 1; slot <= players + 3 && slot <= db::kPlayerSlots; ++slot) {
      std::array<db::Byte, db::kRecordSize> record{};
      std::ranges::generate(record, byte);
      auto name = std::span(record).subspan(db::fieldOffset("realName"), db::kNameWidth);
      if (slot == players + 1) {
        std::ranges::fill(name, db::Byte{0});  // ends the team; the slots after it are hidden
      } else {
        name[0] = static_cast<db::Byte>('A' + random() % 26);
        name[1 + random() % 20] = 0;
      }
      putPlayer(image, team, slot, db::decodePlayerRecord(record));
    }
  }
  return image;
}

// A's bytes with B's records in every slot A loads: what a patch from A to B leaves in A.
std::vector<db::Byte> withLoadedRecordsOf(std::vector<db::Byte> a, const std::vector<db::Byte>& b) {
  for (int team = 1; team <= db::kTeamCount; ++team) {
    for (int slot = 1; slot <= db::kPlayerSlots && !db::isEmptySlot(playerAt(a, team, slot));
         ++slot) {
      const auto record = static_cast<std::ptrdiff_t>(db::slotStart(team, slot));
      std::copy_n(b.begin() + record, db::kRecordSize, a.begin() + record);
    }
  }
  return a;
}

// B: A's loaded players with random valid edits, and other bytes changed that a patch cannot carry.
std::vector<db::Byte> editedCopy(std::vector<db::Byte> image, unsigned seed,
                                 const db::ValueLists& lists) {
  std::mt19937 random(seed);
  for (int team = 1; team <= db::kTeamCount; ++team) {
    for (int slot = 1; slot <= db::kPlayerSlots; ++slot) {
      if (db::isEmptySlot(playerAt(image, team, slot))) break;
      if (random() % 2 == 0) continue;
      auto record = db::encodePlayerRecord(playerAt(image, team, slot));
      for (const db::PlayerField& field : db::kPlayerFields) {
        if (random() % 4 != 0) continue;
        db::FieldValue value;
        if (field.kind == db::FieldKind::Text) {
          value = "Ed " + std::to_string(random() % 1000) + " \xC3\xA9";
        } else if (field.kind == db::FieldKind::Float32) {
          const float floats[] = {0.1f, -0.0f, 1e-45f, 3.4028235e38f, NAN, 45.5f};
          const float chosen = floats[random() % std::size(floats)];
          // One NaN over another is the same value: no patch carries it, so it is no edit.
          if (std::isnan(chosen) && std::isnan(std::get<float>(db::readField(field, record)))) {
            continue;
          }
          value = chosen;
        } else if (field.list) {
          value = static_cast<int>(random() % lists[*field.list].items.size());
        } else {
          value = field.minimum() +
                  static_cast<int>(random() %
                                   static_cast<unsigned>(field.maximum() - field.minimum() + 1));
        }
        db::writeField(field, value, record);
      }
      putPlayer(image, team, slot, db::decodePlayerRecord(record));
    }
  }
  image[5] ^= 0xFF;                                      // the header
  image[db::lineupAreaStart(2) + 3] = 0;                 // a lineup entry
  image[db::slotStart(1, db::kPlayerSlots) + 100] ^= 1;  // a slot no team loads
  return image;
}

TEST(ImportProperty, ExportedDataImportsWithoutChangeAndPatchesCarryEveryField) {
  TempDir dir;
  const std::string a = dir.file("a.bag");
  const std::string b = dir.file("b.bag");
  const db::ValueLists lists = programLists();
  for (unsigned seed = 1; seed <= 4; ++seed) {
    const std::vector<db::Byte> image = generatedDatabase(seed);
    writeFileBytes(a, image);
    for (const auto& options : std::vector<std::vector<std::string>>{
             {"--format", "csv"}, {"--format", "csv", "--names", "--bom"}, {}, {"--names"}}) {
      std::vector<std::string> exportArguments = {"export", a};
      exportArguments.insert(exportArguments.end(), options.begin(), options.end());
      const DbRun exported = runDb(exportArguments);
      ASSERT_EQ(exported.status, 0) << exported.err;
      const std::string format = options.empty() || options[0] != "--format" ? "json" : "csv";
      const DbRun imported = runDb({"import", a, "-", "--format", format}, exported.out);
      EXPECT_EQ(imported.status, 0) << imported.err;
      EXPECT_EQ(imported.out, "0 fields of 0 players in 0 teams changed.\n")
          << ::testing::PrintToString(options);
      EXPECT_TRUE(readFileBytes(a) == image) << "seed " << seed;
    }

    const DbRun same = runDb({"diff", a, a});
    EXPECT_EQ(same.status, 0);
    EXPECT_THAT(same.out, IsEmpty());

    const std::vector<db::Byte> edited = editedCopy(image, seed, lists);
    writeFileBytes(b, edited);
    const DbRun patch = runDb({"diff", a, b, "--format", "json"});
    ASSERT_EQ(patch.status, 3);
    const DbRun applied = runDb({"import", a, "-", "--format", "json", "--keep-spoof"}, patch.out);
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_THAT(applied.err, HasSubstr("differences listed as beyond a patch"));
    const std::vector<db::Byte> patched = readFileBytes(a);
    const std::vector<db::Byte> expected = withLoadedRecordsOf(image, edited);
    EXPECT_TRUE(patched == expected)
        << "seed " << seed << ", first differing byte at "
        << std::ranges::mismatch(patched, expected).in1 - patched.begin();
  }
}

class ImportTest : public ::testing::Test {
 protected:
  ImportTest() {
    for (int slot = 1; slot <= 3; ++slot) {
      putPlayer(image_, 1, slot, namedPlayer("Player " + std::to_string(slot), slot));
    }
    putPlayer(image_, 2, 1, namedPlayer("Solo", 9));
    writeFileBytes(path_, image_);
  }

  std::string input(const std::string& name, const std::string& text) {
    const std::string file = dir_.file(name);
    writeFileBytes(file, std::vector<db::Byte>(text.begin(), text.end()));
    return file;
  }

  TempDir dir_;
  std::vector<db::Byte> image_ = blankDatabase();
  const std::string path_ = dir_.file("TeamAndPlayerInfo.bag");
};

TEST_F(ImportTest, ChangesOnlyTheGivenFieldsAndTheSpoofFieldsThatFollowThem) {
  const std::string csv = input("edit.csv",
                                "\xEF\xBB\xBFteam;slot;realName;battingAbilities[2];bowlStyle;\r\n"
                                "1;2;\"Zoë \"\"Z\"\" Quinn\";77;Right Arm Googly;\r\n"
                                "2;1;;;;\r\n");
  const DbRun run = runDb({"import", path_, csv});
  ASSERT_EQ(run.status, 0) << run.err;

  db::PlayerRecord expected = playerAt(image_, 1, 2);
  const auto name = db::encodeWindows1252("Zoë \"Z\" Quinn").bytes;
  expected.realName.fill(0);
  std::ranges::copy(name, expected.realName.begin());
  expected.spoofName = expected.realName;
  expected.battingAbilities[2] = 77;
  expected.bowlStyle = 8;
  std::vector<db::Byte> expectedImage = image_;
  putPlayer(expectedImage, 1, 2, expected);
  EXPECT_TRUE(readFileBytes(path_) == expectedImage);
  const db::PlayerRecord before = playerAt(image_, 1, 2);
  EXPECT_EQ(run.out,
            "1\t2\trealName\tPlayer 2\tZoë \"Z\" Quinn\n"
            "1\t2\tspoofName\tPlayer 2\tZoë \"Z\" Quinn\n"
            "1\t2\tbowlStyle\t" +
                std::to_string(before.bowlStyle) +
                "\t8\n"
                "1\t2\tbattingAbilities[2]\t" +
                std::to_string(before.battingAbilities[2]) +
                "\t77\n"
                "4 fields of 1 player in 1 team changed.\n");
}

TEST_F(ImportTest, InvalidCellsAreAllListedAndNothingIsWritten) {
  const std::string csv = input("bad.csv",
                                "team,slot,battingAbilities[0],realName,bowlStlye\n"
                                "1,1,300,Ann,\n"
                                "1,2,5,Ōsaka,\n"
                                "1,4,5,,\n"
                                "1,3,, ,\n"
                                "1,3,,Other,\n"
                                "1,3,,Another,\n");
  const DbRun run = runDb({"import", path_, csv});
  EXPECT_EQ(run.status, 4);
  EXPECT_THAT(run.out, IsEmpty());
  EXPECT_THAT(
      lines(run.err),
      ElementsAre(
          csv + ": read as UTF-8 text with cells separated by commas.",
          "row 1, column bowlStlye, value \"bowlStlye\": there is no such field; the columns are "
          "those export writes",
          "row 2, column battingAbilities[0], value \"300\": the field takes a whole number from 0 "
          "to 255",
          "row 3, column realName, value \"Ōsaka\": the field cannot hold the character \"Ō\": "
          "the game's database stores only Western European (Windows-1252) characters",
          "row 4, column slot, value \"4\": team 1 has 3 loaded players; slot 4 holds none",
          "row 5, column realName, value \" \": the field a player's name cannot be emptied: an "
          "empty name ends the team's list and hides the players after it",
          "row 7, column realName, value \"Another\": row 6 gives the same player another value",
          "Nothing was written: 6 cells of " + csv + " are invalid."));
  EXPECT_TRUE(readFileBytes(path_) == image_);
}

TEST_F(ImportTest, DryRunAndKeepSpoof) {
  const std::string json =
      input("edit.JSON", R"([{"team":1,"slot":1,"realName":"New","realFace":"Face 12"}])");
  const DbRun dry = runDb({"import", path_, json, "--dry-run"});
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_THAT(dry.out, HasSubstr("1\t1\tspoofFace\t"));
  EXPECT_THAT(dry.out, HasSubstr("would change.\n"));
  EXPECT_TRUE(readFileBytes(path_) == image_);

  ASSERT_EQ(runDb({"import", path_, json, "--keep-spoof"}).status, 0);
  const db::PlayerRecord player = playerAt(readFileBytes(path_), 1, 1);
  EXPECT_EQ(db::decodeUpToNul(player.realName), "New");
  EXPECT_EQ(player.realFace, 12);
  EXPECT_EQ(player.spoofName, playerAt(image_, 1, 1).spoofName);
  EXPECT_EQ(player.spoofFace, playerAt(image_, 1, 1).spoofFace);
}

TEST_F(ImportTest, UnreadableOrMalformedInputAndWrongOptionsAreRefused) {
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string err;
  } cases[] = {
      {{"import", path_, input("a.txt", "team,slot\n")}, 1, "Give --format " + formatNames()},
      {{"import", path_, dir_.file("missing.csv")},
       2,
       "missing.csv\": " + zelbor::testing::missingFileReason()},
      {{"import", path_, input("q.csv", "team,slot,realName\n1,1,\"open\n")},
       4,
       "row 2: a quoted cell is never closed"},
      {{"import", path_, input("n.json", "{\"team\":1}")}, 4, "it holds no array of players"},
      {{"import", path_, input("s.csv", "realName\nX\n")}, 4, "needs a team and a slot column"},
      {{"export", path_, "--bom"}, 1, "--bom applies to CSV only"},
  };
  for (const auto& c : cases) {
    const DbRun run = runDb(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments.back() << "\n" << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.err)) << c.arguments.back();
  }
  EXPECT_TRUE(readFileBytes(path_) == image_);
}

TEST_F(ImportTest, AWindows1252CsvImportsAndSaysHowItWasRead) {
  const DbRun run =
      runDb({"import", path_, input("w.csv", "team;slot;realName\r\n1;1;\xC9lan\r\n")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, dir_.file("w.csv") +
                         ": read as Windows-1252 text with cells separated by "
                         "semicolons.\n");
  EXPECT_EQ(db::decodeUpToNul(playerAt(readFileBytes(path_), 1, 1).realName), "Élan");
}

TEST_F(ImportTest, DiffReportsEveryDifferenceByArea) {
  std::vector<db::Byte> other = image_;
  db::PlayerRecord changed = playerAt(other, 1, 1);
  changed.role = changed.role == 1 ? 2 : 1;
  changed.opaque94[0] ^= 1;
  putPlayer(other, 1, 1, changed);
  putPlayer(other, 1, 4, namedPlayer("Extra", 4));
  other[db::lineupAreaStart(1)] = 0;
  other[10] ^= 1;
  other[11] ^= 1;
  other.push_back(7);
  const std::string otherPath = dir_.file("other.bag");
  writeFileBytes(otherPath, other);

  const DbRun run = runDb({"diff", path_, otherPath});
  EXPECT_EQ(run.status, 3);
  const int role = playerAt(image_, 1, 1).role;
  EXPECT_THAT(
      lines(run.out),
      ElementsAre(StartsWith("-\t-\theader bytes 10..11\t"), "1\t-\tplayers\t3\t4",
                  "1\t1\trole\t" + std::to_string(role) + "\t" + std::to_string(changed.role),
                  "1\t4\tplayer\t\tExtra", StartsWith("1\t-\tWorld Cup entry 1\t"),
                  StartsWith("1\t1\trecord bytes 94..94\t"), "-\t-\tlength\t358134\t358135"));

  const DbRun patch = runDb({"diff", path_, otherPath, "--format", "json", "--team", "1"});
  EXPECT_EQ(patch.status, 3);
  EXPECT_THAT(patch.out,
              HasSubstr("{\"team\":1,\"slot\":1,\"role\":" + std::to_string(changed.role) + "}"));
  EXPECT_THAT(patch.out, Not(HasSubstr("header")));
  EXPECT_EQ(runDb({"diff", path_, dir_.file("missing.bag")}).status, 2);
}

TEST_F(ImportTest, AWriteFailingPartWayLeavesTheEarlierTeamsWrittenAndSaysSo) {
  zelbor::testing::FaultyFileSystem faulty(db::systemFileSystem());
  int writes = 0;
  faulty.setRule([&writes](int, zelbor::testing::FileCall call) {
    const bool second = call == zelbor::testing::FileCall::Write && ++writes == 2;
    return second ? zelbor::testing::Fault::Fail : zelbor::testing::Fault::None;
  });
  // The writes counted are the database's: no backup is taken.
  const DbRun run = runDb({"--no-backup", "import", path_, "-", "--format", "csv"},
                          "team,slot,hundredsODI\n1,1,9\n2,1,9\n", faulty);
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.out, IsEmpty());
  EXPECT_THAT(run.err, HasSubstr("Team 1 was written"));
  std::vector<db::Byte> expected = image_;
  db::PlayerRecord first = playerAt(image_, 1, 1);
  first.hundredsODI = 9;
  putPlayer(expected, 1, 1, first);
  EXPECT_TRUE(readFileBytes(path_) == expected);
}

TEST_F(ImportTest, NothingIsWrittenFromATeamChangedOnDiskOnAndTheReportSaysWhatWas) {
  putPlayer(image_, 3, 1, namedPlayer("Third", 5));
  writeFileBytes(path_, image_);
  std::vector<db::Byte> changedByOther = image_;
  db::PlayerRecord other = playerAt(image_, 2, 1);
  other.fiftiesODI = 77;
  putPlayer(changedByOther, 2, 1, other);
  // Another program writes team 2 between the import's check and its taking the lock.
  zelbor::testing::FaultyFileSystem faulty(db::systemFileSystem());
  faulty.setRule([&](int, zelbor::testing::FileCall call) {
    if (call == zelbor::testing::FileCall::Lock) writeFileBytes(path_, changedByOther);
    return zelbor::testing::Fault::None;
  });
  const DbRun run = runDb({"import", path_, "-", "--format", "csv"},
                          "team,slot,hundredsODI\n1,1,9\n2,1,9\n3,1,9\n", faulty);
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("team 2 changed while the input was being checked, so the import "
                                 "wrote nothing to teams 2 and 3; team 1 was written."));
  const int hundreds = playerAt(image_, 1, 1).hundredsODI;
  EXPECT_EQ(run.out, "1\t1\thundredsODI\t" + std::to_string(hundreds) +
                         "\t9\n1 field of 1 player in 1 team changed.\n");
  std::vector<db::Byte> expected = changedByOther;
  db::PlayerRecord first = playerAt(image_, 1, 1);
  first.hundredsODI = 9;
  putPlayer(expected, 1, 1, first);
  EXPECT_TRUE(readFileBytes(path_) == expected);
}

// The editor's message for a value typed into a box of player 1 of team 1.
std::string editorRefusal(const std::vector<db::Byte>& image, editor::TextBox box,
                          const std::string& typed) {
  const db::PlayerRecord player = playerAt(image, 1, 1);
  editor::PlayerForm form = editor::formFromRecord(player, ".");
  form.text(box) = typed;
  const auto stored = editor::storeForm(form, player);
  const auto* refusals = std::get_if<std::vector<editor::StoreRefusal>>(&stored);
  return refusals != nullptr ? refusals->front().message : "stored";
}

TEST_F(ImportTest, RefusesWhatTheEditorRefusesForTheSameReason) {
  const struct {
    editor::TextBox box;
    std::string column;
    std::string value;
    std::string reason;
  } cases[] = {
      {editor::txtBat(0), "battingAbilities[0]", "300", "takes a whole number from 0 to 255"},
      {editor::txtStats(2), "runsODI", "40000", "takes a whole number from -32768 to 32767"},
      {editor::TextBox::txtRealName, "realName", "Ōsaka",
       "cannot hold the character \"Ō\": the game's database stores only Western European "
       "(Windows-1252) characters"},
      {editor::TextBox::txtBestBatODI, "bestBattingODI", std::string(101, 'x'),
       "holds more than 100 characters"},
  };
  for (const auto& c : cases) {
    const DbRun run = runDb({"import", path_, "-", "--format", "csv"},
                            "team,slot," + c.column + "\n1,1," + c.value + "\n");
    ASSERT_EQ(run.status, 4) << c.column;
    EXPECT_THAT(run.err, HasSubstr("the field " + c.reason)) << c.column;
    EXPECT_THAT(editorRefusal(image_, c.box, c.value), HasSubstr(c.reason)) << c.column;
  }
}

}  // namespace
}  // namespace zelbor::cli
