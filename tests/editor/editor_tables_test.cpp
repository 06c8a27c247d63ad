// What the tables of the comparison and the import show, the outputs they write, and the look-up:
// in the main window's words, through the editor with the windows faked.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include "db/list_files.h"
#include "db/player_fields.h"
#include "db/text_codec.h"
#include "editor/messages.h"
#include "editor/table_fields.h"
#include "editor/web_lookup.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

using editor::RestoreChange;
using ::testing::HasSubstr;
using Image = std::vector<db::Byte>;

TEST(TableFields, EachFieldIsNamedAsTheWindowCaptionsIt) {
  const struct {
    const char* field;
    const char* caption;
  } cases[] = {
      {"battingAbilities[0]", "Timing"}, {"kit1", "Kit 1"},       {"bowlStyle", "Bowl Type"},
      {"realName", "Name"},              {"matchesODI", "Mat."},  {"spoofName", "Spoof Name"},
      {"battingAverageODI", "Bat Avge"}, {"spoofBat", "Spoof Bat"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(editor::fieldCaption(*db::findPlayerField(c.field)), c.caption) << c.field;
  }
  // No field is left in the file's own spelling.
  for (const db::PlayerField& field : db::kPlayerFields) {
    EXPECT_NE(editor::fieldCaption(field), field.name) << field.name;
  }
}

TEST(TableFields, AListFieldShowsItsItemOrItsNumberAndATextNoPadding) {
  const db::Result<db::ValueLists> lists =
      db::ValueLists::load(db::systemFileSystem(), std::string("."));
  ASSERT_TRUE(lists);
  const db::PlayerField& role = *db::findPlayerField("role");
  const db::PlayerField& kit = *db::findPlayerField("kit1");
  const std::string firstKit = lists.value()[db::ValueListId::Kit1].items.at(0);
  EXPECT_EQ(editor::shownValue(kit, 0, editor::itemNames(lists)), firstKit);
  EXPECT_EQ(editor::shownValue(kit, 250, editor::itemNames(lists)), "250") << "no such item";
  EXPECT_EQ(editor::shownValue(role, 0, editor::itemNames(lists)),
            lists.value()[db::ValueListId::Role].items.at(0));
  EXPECT_EQ(editor::shownValue(kit, 0, exchange::kRawNumbers), "0") << "no lists read";
  EXPECT_EQ(editor::shownValue(*db::findPlayerField("realName"), std::string("  Ab Cd   "),
                               editor::itemNames(lists)),
            "Ab Cd");
}

// The comparison's table and patch file, and the export's file dialog answers.
class FakeExchange final : public editor::ExchangeWindows {
 public:
  std::string chooseTableToImport() override { return {}; }
  std::string chooseExportPath() override { return exportPath; }
  bool confirmImport(const editor::ImportPreviewRows&) override { return false; }
  std::string choosePatchPath() override { return patchPath; }
  std::string chooseDatabaseToCompare() override { return compared; }
  bool showDifferences(const std::string&, const std::vector<RestoreChange>& rows,
                       bool) override {
    shown = rows;
    return savePatch;
  }

  std::string exportPath;
  std::string patchPath;
  std::string compared;
  bool savePatch = false;
  std::vector<RestoreChange> shown;
};

class TablesTest : public EditorFixture {};

TEST_F(TablesTest, TheComparisonShowsCaptionsItemsAndNamesWithoutPadding) {
  Image other = standardImage();
  db::PlayerRecord player = playerAt(other, 1, 2);
  const std::string padded = "Padded Name" + std::string(21, ' ');
  std::copy(padded.begin(), padded.end(), player.realName.begin());
  player.kit1 = 1;
  putPlayer(other, 1, 2, player);
  Image image = other;
  player.battingAbilities[0] = 61;
  player.kit1 = 250;
  putPlayer(other, 1, 2, player);
  startOrFail(image);
  FakeExchange windows;
  windows.compared = dir.file("other.bag");
  writeFileBytes(windows.compared, other);
  editor.mnuCompare_Click(windows);

  const std::string team = "1 (Team 1)";
  const db::PlayerRecord before = playerAt(image, 1, 2);
  const db::Result<db::ValueLists> lists = db::ValueLists::load(fileSystem, programFolder);
  ASSERT_TRUE(lists);
  const std::vector<RestoreChange> expected = {
      {team, 2, "Padded Name", "Kit 1",
       lists.value()[db::ValueListId::Kit1].items.at(before.kit1), "250"},
      {team, 2, "Padded Name", "Timing", std::to_string(before.battingAbilities[0]), "61"},
  };
  ASSERT_EQ(windows.shown.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(windows.shown[i].team, expected[i].team);
    EXPECT_EQ(windows.shown[i].slot, expected[i].slot);
    EXPECT_EQ(windows.shown[i].player, expected[i].player);
    EXPECT_EQ(windows.shown[i].field, expected[i].field);
    EXPECT_EQ(windows.shown[i].now, expected[i].now);
    EXPECT_EQ(windows.shown[i].restored, expected[i].restored);
  }
}

TEST_F(TablesTest, SaveAsPatchSaysWhereItSavedAndAskesBeforeReplacing) {
  Image other = standardImage();
  db::PlayerRecord player = playerAt(other, 2, 1);
  player.battingAbilities[1] = 99;
  putPlayer(other, 2, 1, player);
  startOrFail();
  FakeExchange windows;
  windows.compared = dir.file("other.bag");
  writeFileBytes(windows.compared, other);
  windows.savePatch = true;
  windows.patchPath = dir.file("changes.json");
  editor.mnuCompare_Click(windows);
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_EQ(prompts.messages[0].first,
            "The 1 difference was saved as a patch to \"" + windows.patchPath + "\".");
  EXPECT_TRUE(prompts.questions.empty()) << "a new file is not asked about";
  const Image patch = readFileBytes(windows.patchPath);

  // Saved again over it: No keeps the file as it was, Yes replaces it.
  writeFileBytes(windows.patchPath, {db::Byte{'x'}});
  prompts.answers = {editor::Answer::No};
  editor.mnuCompare_Click(windows);
  ASSERT_EQ(prompts.questions.size(), 1U);
  EXPECT_EQ(prompts.questions[0], editor::messages::replaceQuestion(windows.patchPath));
  EXPECT_EQ(readFileBytes(windows.patchPath), Image{db::Byte{'x'}});
  prompts.answers = {editor::Answer::Yes};
  editor.mnuCompare_Click(windows);
  EXPECT_EQ(readFileBytes(windows.patchPath), patch);
}

TEST_F(TablesTest, ExportOntoTheOpenDatabaseIsRefusedBeforeAnyQuestion) {
  startOrFail();
  const Image before = fileBytes();
  FakeExchange windows;
  // Another name for the database itself: refused, and nothing asked.
  windows.exportPath = dir.file("link.json");
  std::filesystem::create_hard_link(databasePath, windows.exportPath);
  editor.mnuExport_Click(windows);
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_THAT(prompts.messages[0].first, HasSubstr("\": it is the database \""));
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_EQ(fileBytes(), before);

  // Any other file is asked about; No writes nothing.
  windows.exportPath = dir.file("players.json");
  writeFileBytes(windows.exportPath, {db::Byte{'x'}});
  prompts.answers = {editor::Answer::No};
  editor.mnuExport_Click(windows);
  EXPECT_EQ(prompts.questions,
            std::vector<std::string>{editor::messages::replaceQuestion(windows.exportPath)});
  EXPECT_EQ(readFileBytes(windows.exportPath), Image{db::Byte{'x'}});
}

TEST_F(TablesTest, TheLookUpSearchesTheDocumentedAddressOrTheConfiguredOne) {
  startOrFail();
  editor.lblCricInfo_Click();
  const std::string name = "T1+Player+1";
  ASSERT_EQ(browser.addresses.size(), 1U);
  EXPECT_EQ(browser.addresses[0], "https://stats.espncricinfo.com/ci/engine/stats/analysis.html"
                                  "?search=" + name + ";template=analysis");

  const std::string config = dir.file("editor.conf");
  std::ofstream(config) << "# my own site\n\n  lookup-address = https://example.org/find?q={name}&x=1 \r\n";
  editor.lblCricInfo_Click();
  EXPECT_EQ(browser.addresses.back(), "https://example.org/find?q=" + name + "&x=1");
  EXPECT_TRUE(prompts.messages.empty());

  const struct {
    const char* line;
    const char* reason;
  } refused[] = {
      {"lookup-address = ftp://example.org/{name}",
       "the lookup-address \"ftp://example.org/{name}\" does not start with https:// or http://"},
      {"lookup-address = https://example.org/find",
       "the lookup-address \"https://example.org/find\" has no {name} for the name"},
      {"lookup-address = https:///{name}",
       "the lookup-address \"https:///{name}\" names no website"},
      {"lookup-adress = https://example.org/{name}", "there is no setting \"lookup-adress\""},
      {"https://example.org/{name}", "a setting is written \"key = value\""},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.line);
    std::ofstream(config) << "\n" << c.line << "\n";
    prompts.messages.clear();
    const std::size_t opened = browser.addresses.size();
    editor.lblCricInfo_Click();
    EXPECT_EQ(browser.addresses.size(), opened) << "nothing is opened";
    ASSERT_EQ(prompts.messages.size(), 1U);
    EXPECT_EQ(prompts.messages[0].first, "\"" + config + "\", line 2: " + c.reason + ".");
  }
}

TEST(WebLookup, TheLabelNamesTheSiteOfTheAddress) {
  EXPECT_EQ(editor::lookupSiteName(editor::kDefaultLookupAddress), "espncricinfo.com");
  EXPECT_EQ(editor::lookupSiteName("http://www.example.co.uk/s?q={name}"), "example.co.uk");
  EXPECT_EQ(editor::lookupSiteName("https://localhost:8080/{name}"), "localhost");
}

}  // namespace
}  // namespace zelbor::testing
