#include <gmock/gmock.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "db/filesystem_path.h"
#include "db/text_codec.h"
#include "editor/messages.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

using editor::Answer;
using editor::ListControl;
using editor::TextBox;
using editor::txtBat;
using editor::txtShirt;
using editor::txtStats;
using ::testing::HasSubstr;

class EditCycleTest : public EditorFixture {};

TEST_F(EditCycleTest, EditsSurviveMovingBetweenPlayersUntilTheTeamChanges) {
  startOrFail();
  pickPlayer(2);
  view.type(TextBox::txtRealName, "Renamed Three");
  view.type(txtBat(0), "77");
  pickPlayer(4);
  EXPECT_EQ(editor.currentPlayer(), 5);
  EXPECT_EQ(view.text(TextBox::txtRealName), "T1 Player 5");
  pickPlayer(2);
  EXPECT_EQ(view.text(TextBox::txtRealName), "Renamed Three");
  EXPECT_EQ(view.text(txtBat(0)), "77");
  EXPECT_EQ(view.listItems(ListControl::lstPlayers)[2], "* Renamed Three")
      << "the list shows the stored name, marked as unsaved";

  // Picking another team asks first; Discard drops every unsaved edit.
  pickTeam(1);
  EXPECT_EQ(prompts.questions, std::vector<std::string>{"Save changes to Team 1?"});
  EXPECT_EQ(view.text(TextBox::txtRealName), "T2 Player 1");
  pickTeam(0);
  pickPlayer(2);
  EXPECT_EQ(view.text(TextBox::txtRealName), "T1 Player 3");
  EXPECT_EQ(prompts.questions.size(), 1U) << "a team without edits is left without a question";
  EXPECT_EQ(fileBytes(), standardImage());
}

TEST_F(EditCycleTest, OneSaveWritesTheEditsOfTwoPlayersAndNothingElse) {
  startOrFail();
  const std::vector<db::Byte> before = fileBytes();
  pickPlayer(2);
  view.type(TextBox::txtRealName, "  Abcde   ");
  pickPlayer(4);
  view.type(txtStats(2), "-12");
  view.type(txtShirt(1), "7");
  editor.mnuSave_Click();
  ASSERT_EQ(prompts.questions, std::vector<std::string>{"Save current player?"});

  std::vector<db::Byte> expected = before;
  db::PlayerRecord three = playerAt(before, 1, 3);
  three.realName.fill(0);
  const std::string abcde = "Abcde";
  std::copy(abcde.begin(), abcde.end(), three.realName.begin());
  three.spoofName = three.realName;
  putPlayer(expected, 1, 3, three);
  db::PlayerRecord five = playerAt(before, 1, 5);
  five.runsODI = -12;
  five.shirtNumbers[0] = 7;
  putPlayer(expected, 1, 5, five);
  EXPECT_EQ(fileBytes(), expected);
  EXPECT_EQ(view.text(TextBox::txtRealName), "T1 Player 5") << "the saved player is shown again";
}

// Players 2 and 4 of team 1 hold what a save tidies. Looking at them is no edit; a save stores the
// player shown from the controls, edited or not, and leaves the player only looked at as he was.
TEST_F(EditCycleTest, ASaveWithoutEditsStoresTheShownPlayerAsDesignedAndBrowsingMarksNothing) {
  std::vector<db::Byte> image = standardImage();
  putPlayer(image, 1, 2, untidyPlayer(playerAt(image, 1, 2)));
  putPlayer(image, 1, 4, untidyPlayer(playerAt(image, 1, 4)));
  startOrFail(image);
  for (const int row : {3, 1}) {
    pickPlayer(row);
    EXPECT_FALSE(editor.hasUnsavedEdits()) << "row " << row;
    EXPECT_FALSE(view.modified) << "row " << row;
  }
  EXPECT_EQ(view.listItems(ListControl::lstPlayers)[1].rfind("T1 Player 2", 0), 0U)
      << "no unsaved marker";
  EXPECT_EQ(view.listItems(ListControl::lstPlayers)[3].rfind("T1 Player 4", 0), 0U);
  pickTeam(1);
  pickTeam(0);
  pickPlayer(3);
  pickPlayer(1);
  EXPECT_TRUE(prompts.questions.empty()) << "nothing to save, nothing asked";

  prompts.answers = {Answer::No};
  editor.mnuSave_Click();
  EXPECT_EQ(fileBytes(), image) << "No stores nothing";

  editor.mnuSave_Click();
  EXPECT_EQ(prompts.questions.back(), "Save current player?");
  std::vector<db::Byte> expected = image;
  putPlayer(expected, 1, 2, savedAsDesigned(playerAt(image, 1, 2)));
  ASSERT_NE(expected, image) << "the fixture must hold what a save tidies";
  EXPECT_EQ(fileBytes(), expected) << "player 4, only looked at, keeps his bytes";
  EXPECT_EQ(view.text(TextBox::txtRealName), "T1 Player 2") << "shown again as stored";
  EXPECT_FALSE(view.modified);

  editor.mnuSave_Click();
  EXPECT_EQ(fileBytes(), expected) << "storing a stored player changes nothing";
}

TEST_F(EditCycleTest, AnsweringNoChangesNeitherMemoryNorFile) {
  startOrFail();
  const db::PlayerRecord before = memoryPlayer(1);
  view.type(TextBox::txtRealName, "Changed");
  prompts.answers = {Answer::No};
  editor.mnuSave_Click();
  EXPECT_EQ(db::encodePlayerRecord(memoryPlayer(1)), db::encodePlayerRecord(before));
  EXPECT_EQ(fileBytes(), standardImage());
}

TEST_F(EditCycleTest, AValueThatCannotBeStoredIsRefusedWholeAndKeepsThePlayer) {
  const struct {
    editor::TextBox box;
    std::string typed;
    std::vector<std::string> inMessage;
  } cases[] = {
      {txtShirt(1), "256", {"Shirt Numbers", "0 to 255"}},
      {TextBox::txtTons, "300", {"100s", "0 to 255"}},
      {txtStats(2), "40000", {"Runs", "-32768 to 32767"}},
      {TextBox::txtRealName, "Łukasz", {"Name", "Ł"}},
  };
  startOrFail();
  for (const auto& c : cases) {
    prompts.messages.clear();
    const auto before = db::encodePlayerRecord(memoryPlayer(1));
    view.type(TextBox::txtDOB, "01/01/99");  // a valid edit that must not be taken either
    view.type(c.box, c.typed);

    pickPlayer(1);
    ASSERT_EQ(prompts.messages.size(), 1u) << c.typed;
    for (const std::string& part : c.inMessage)
      EXPECT_THAT(prompts.messages[0].first, HasSubstr(part));
    EXPECT_EQ(view.focused, editor::Control(c.box));
    EXPECT_EQ(view.selectedIndex(ListControl::lstPlayers), 0)
        << "the list stays on the edited player";
    EXPECT_EQ(editor.currentPlayer(), 1);
    EXPECT_EQ(db::encodePlayerRecord(memoryPlayer(1)), before);

    editor.mnuSave_Click();
    EXPECT_EQ(prompts.messages.size(), 2u) << "the save is refused the same way";
    EXPECT_EQ(db::encodePlayerRecord(memoryPlayer(1)), before);
    EXPECT_EQ(fileBytes(), standardImage());
    editor.DisplayPlayer(1);
  }
}

// The message says what the file holds: a write cut short may have put part of the team, a
// failed flush leaves it written but perhaps not on disk; never "nothing was written" for either.
// Saving again then writes the team: our own half-done write is not another program's change.
TEST_F(EditCycleTest, AFailedSaveSaysWhatTheFileHoldsAndASecondSaveWrites) {
  EditorHarness clean;
  clean.startOrFail();
  clean.view.type(TextBox::txtRealName, "Changed");
  clean.editor.mnuSave_Click();
  const std::vector<db::Byte> saved = clean.fileBytes();
  const struct {
    FileCall failing;
    Fault fault;
    const char* onDisk;
  } cases[] = {
      {FileCall::Write, Fault::CutShort, "Team 1 may be part-written."},
      {FileCall::Sync, Fault::Fail, "Team 1 was written but may not be on disk."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.onDisk);
    EditorHarness h;
    h.startOrFail();
    const auto before = db::encodePlayerRecord(h.memoryPlayer(1));
    h.view.type(TextBox::txtRealName, "Changed");
    h.fileSystem.setRule(
        [&c](int, FileCall call) { return call == c.failing ? c.fault : Fault::None; });
    h.editor.mnuSave_Click();
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    const std::string& message = h.prompts.messages[0].first;
    EXPECT_THAT(message, HasSubstr("Saving stopped at team 1 (Team 1)."));
    EXPECT_THAT(message, HasSubstr(h.databasePath));
    EXPECT_THAT(message, HasSubstr("Input/output error"));
    EXPECT_THAT(message, HasSubstr(c.onDisk));
    EXPECT_EQ(db::encodePlayerRecord(h.memoryPlayer(1)), before);
    EXPECT_EQ(h.view.text(TextBox::txtRealName), "Changed")
        << "the edit stays in the box for another try";
    EXPECT_NE(h.fileBytes(), standardImage());
    EXPECT_EQ(h.fileSystem.openFiles(), 0);

    h.fileSystem.setRule({});
    h.editor.mnuSave_Click();
    EXPECT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_TRUE(h.prompts.teamChangedQuestions.empty());
    EXPECT_EQ(h.fileBytes(), saved);
  }
}

TEST_F(EditCycleTest, ValuesWithoutAListItemOrLongerThanTheirBoxComeBackUnchanged) {
  std::vector<db::Byte> image = standardImage();
  db::PlayerRecord odd = playerAt(image, 1, 1);
  odd.role = 7;
  odd.realBat = 40;
  odd.realFace = 600;
  odd.battingAbilities[1] = 150;
  odd.matchesODI = 1000;
  odd.runsODI = -1;
  odd.bowlingAverageODI = std::numeric_limits<float>::quiet_NaN();
  odd.battingAverageODI = 45.5f;
  odd.spoofName = odd.realName;
  odd.spoofFace = odd.realFace;
  odd.spoofBat = odd.realBat;
  putPlayer(image, 1, 1, odd);
  db::PlayerRecord next = playerAt(image, 1, 2);
  next.realFace = next.spoofFace = 12;
  putPlayer(image, 1, 2, next);
  // Pictures exist for face 0 and both stored faces: only the list's selection decides.
  std::filesystem::create_directory(programFolder + "/faces");
  for (const char* face : {"0.jpg", "12.jpg", "600.jpg"}) {
    writeFileBytes(programFolder + "/faces/" + face, {0xFF, 0xD8});
  }
  startOrFail(image);

  EXPECT_EQ(view.selectedIndex(ListControl::cboRole), -1);
  EXPECT_EQ(view.selectedIndex(ListControl::cboBat), -1);
  EXPECT_EQ(view.selectedIndex(ListControl::cboFace), -1);
  EXPECT_EQ(view.text(txtBat(1)), "150");
  EXPECT_EQ(view.text(txtStats(0)), "1000");
  EXPECT_EQ(view.text(txtStats(2)), "-1");
  EXPECT_EQ(view.text(TextBox::txtBowlAvge), "NaN");
  EXPECT_EQ(view.text(TextBox::txtBatAvge), "45.5");
  EXPECT_FALSE(view.showsPicture()) << "no selection, no picture";

  view.type(TextBox::txtBatAvge, "99.9");  // averages are shown, never written
  editor.mnuSave_Click();
  EXPECT_EQ(fileBytes(), image);

  view.selections[ListControl::cboRole] = 2;  // picking an item stores it
  editor.mnuSave_Click();
  EXPECT_EQ(playerAt(fileBytes(), 1, 1).role, 2);
  EXPECT_EQ(playerAt(fileBytes(), 1, 1).realBat, 40);

  pickPlayer(1);
  EXPECT_TRUE(view.showsPicture());
  pickPlayer(0);
  EXPECT_FALSE(view.showsPicture()) << "the previous player's picture does not stay";
}

TEST_F(EditCycleTest, ATeamWithoutPlayersShowsNothingAndCannotBeSaved) {
  startOrFail();
  pickTeam(2);
  EXPECT_TRUE(view.listItems(ListControl::lstPlayers).empty());
  EXPECT_FALSE(view.playerControlsEnabled);
  EXPECT_EQ(view.text(TextBox::txtRealName), "");
  EXPECT_EQ(view.selectedIndex(ListControl::cboFace), -1);
  EXPECT_EQ(view.picture, "");
  editor.mnuSave_Click();
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_EQ(messageTexts(),
            std::vector<std::string>{std::string(editor::messages::kNoPlayerToSave)});
  editor.lblCricInfo_Click();
  EXPECT_TRUE(browser.addresses.empty());
  EXPECT_EQ(fileBytes(), standardImage());

  pickTeam(0);
  EXPECT_TRUE(view.playerControlsEnabled);
  EXPECT_EQ(view.text(TextBox::txtRealName), "T1 Player 1");
}

TEST_F(EditCycleTest, AFailedTeamLoadKeepsTheTeamInMemoryAndInTheList) {
  startOrFail();
  view.type(TextBox::txtRealName, "Kept");
  fileSystem.setRule(
      [](int, FileCall call) { return call == FileCall::Read ? Fault::Fail : Fault::None; });
  pickTeam(4);
  EXPECT_THAT(messageTexts().at(0), HasSubstr(databasePath));
  EXPECT_EQ(view.selectedIndex(ListControl::cboTeams), 0);
  EXPECT_EQ(editor.loadedTeam(), 1);

  fileSystem.setRule({});
  editor.mnuSave_Click();
  std::vector<db::Byte> expected = standardImage();
  putPlayer(expected, 1, 1, memoryPlayer(1));
  EXPECT_EQ(fileBytes(), expected) << "the save goes to the team memory holds";
  EXPECT_EQ(db::decodeUpToNul(memoryPlayer(1).realName), "Kept");
}

TEST_F(EditCycleTest, TypingRedrawsTheBarsAndTheFaceFollowsTheList) {
  startOrFail();
  view.type(txtBat(0), "90");
  editor.txtBat_Change(0);
  EXPECT_EQ(view.bars[0].first, (editor::Colour{255, 80, 80}));
  EXPECT_DOUBLE_EQ(view.bars[0].second, 1580.5);
  view.type(txtBat(0), "");
  editor.txtBat_Change(0);
  EXPECT_DOUBLE_EQ(view.bars[0].second, 280);

  view.selections[ListControl::cboFace] = 12;
  editor.cboFace_Click();
  EXPECT_EQ(db::filesystemPath(view.picture),
            db::filesystemPath(programFolder) / "faces" / "12.jpg");
}

TEST_F(EditCycleTest, TheLookUpSearchesTheSelectedPlayersEncodedName) {
  std::vector<db::Byte> image = standardImage();
  const struct {
    std::string stored;  // the 32 name bytes, Windows-1252
    std::string query;
  } cases[] = {
      {"Ab Cd", "Ab+Cd"},
      {"Ab Cd" + std::string(27, ' '), "Ab+Cd"},  // trailing blanks are not searched
      {"A&B#C%D+E", "A%26B%23C%25D%2BE"},
      {"Ren\xE9", "Ren%C3%A9"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    db::PlayerRecord player = playerAt(image, 1, static_cast<int>(i) + 1);
    player.realName.fill(0);
    std::copy(cases[i].stored.begin(), cases[i].stored.end(), player.realName.begin());
    putPlayer(image, 1, static_cast<int>(i) + 1, player);
  }
  startOrFail(image);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    view.selections[ListControl::lstPlayers] = static_cast<int>(i);
    editor.lblCricInfo_Click();
    EXPECT_EQ(browser.addresses.back(),
              "http://cricketarchive.com/ci/content/site/search.html?search=" + cases[i].query);
  }
  EXPECT_EQ(fileBytes(), image);
}

TEST_F(EditCycleTest, ALookUpThatStartsNoBrowserIsReportedWithItsAddress) {
  startOrFail();
  editor.lblCricInfo_Click();
  EXPECT_TRUE(prompts.messages.empty()) << "a browser that started is not reported";

  browser.opens = false;
  editor.lblCricInfo_Click();
  ASSERT_EQ(browser.addresses.size(), 2U);
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_EQ(prompts.messages[0].second, editor::MessageIcon::Warning);
  EXPECT_THAT(prompts.messages[0].first, HasSubstr("No web browser could be started"));
  EXPECT_THAT(prompts.messages[0].first, HasSubstr("\n\n" + browser.addresses[1]));
  EXPECT_EQ(view.text(TextBox::txtRealName), "T1 Player 1") << "the player stays on screen";
  EXPECT_EQ(fileBytes(), standardImage());
}

}  // namespace
}  // namespace zelbor::testing
