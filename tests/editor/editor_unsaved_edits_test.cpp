#include <gmock/gmock.h>

#include <functional>

#include "batch/batch_factors.h"
#include "db/text_codec.h"
#include "editor/messages.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

using editor::Answer;
using editor::ListControl;
using editor::SaveChoice;
using editor::TextBox;
using editor::txtBat;
using editor::txtShirt;
using editor::txtStats;
using ::testing::HasSubstr;

class UnsavedEditsTest : public EditorFixture {};

std::string fileName(const std::vector<db::Byte>& image, int team, int slot) {
  return db::decodeUpToNul(playerAt(image, team, slot).realName);
}

TEST_F(UnsavedEditsTest, TheMarkerFollowsEditsInTheControlsAndInMemory) {
  startOrFail();
  EXPECT_FALSE(view.modified);
  view.type(TextBox::txtRealName, "Edited");
  editor.PlayerControl_Change();
  EXPECT_TRUE(view.modified);
  view.type(TextBox::txtRealName, "T1 Player 1");  // typed back as it was
  editor.PlayerControl_Change();
  EXPECT_FALSE(view.modified);

  view.selections[ListControl::cboHat] = 2;
  editor.PlayerControl_Change();
  EXPECT_TRUE(view.modified);
  pickPlayer(3);  // stored into memory: the team still differs from the file
  EXPECT_TRUE(view.modified);
  pickPlayer(0);
  view.selections[ListControl::cboHat] = static_cast<int>(playerAt(standardImage(), 1, 1).hat);
  pickPlayer(3);  // stored back as loaded
  EXPECT_FALSE(view.modified);

  view.type(txtBat(1), "12");
  editor.PlayerControl_Change();
  editor.mnuSave_Click();
  EXPECT_FALSE(view.modified);
  EXPECT_FALSE(editor.hasUnsavedEdits());
}

// Every action that would drop the edits asks first and follows the answer.
TEST_F(UnsavedEditsTest, EachActionThatDropsEditsAsksSaveDiscardOrCancel) {
  struct Action {
    const char* name;
    std::function<bool(EditorHarness&)> run;  // whether the action itself went on
  };
  const batch::BatchFactors unchanged;
  const auto told = [](EditorHarness& h, std::string_view text) {
    return !h.prompts.messages.empty() && h.prompts.messages.back().first == text;
  };
  const std::vector<Action> actions = {
      {"team switch",
       [](EditorHarness& h) {
         h.pickTeam(1);
         return h.editor.loadedTeam() == 2;
       }},
      {"close", [](EditorHarness& h) { return h.editor.Form_QueryUnload(); }},
      {"batch all",
       [&](EditorHarness& h) {
         h.editor.BatchAll(unchanged);
         return told(h, editor::messages::kBatchAllDone);
       }},
      {"batch current",
       [&](EditorHarness& h) {
         h.editor.BatchCurrent(unchanged);
         return told(h, editor::messages::kBatchCurrentDone);
       }},
      {"file hash",
       [](EditorHarness& h) {
         h.editor.mnuFileHash_Click();
         return h.view.shownHashes.size() == 1;
       }},
      {"spoof repair",
       [&](EditorHarness& h) {
         h.editor.mnuFixSpoof_Click();
         return told(h, editor::messages::kFixSpoofDone);
       }},
  };
  for (const Action& action : actions) {
    for (const SaveChoice choice : {SaveChoice::Save, SaveChoice::Discard, SaveChoice::Cancel}) {
      SCOPED_TRACE(std::string(action.name) + " " + std::to_string(static_cast<int>(choice)));
      EditorHarness h;
      h.startOrFail();
      h.pickPlayer(1);
      h.view.type(TextBox::txtRealName, "Edited");
      h.prompts.saveChoices = {choice};
      const bool wentOn = action.run(h);

      ASSERT_FALSE(h.prompts.questions.empty());
      EXPECT_EQ(h.prompts.questions[0], "Save changes to Team 1?");
      EXPECT_EQ(wentOn, choice != SaveChoice::Cancel);
      EXPECT_EQ(fileName(h.fileBytes(), 1, 2),
                choice == SaveChoice::Save ? "Edited" : "T1 Player 2");
      if (choice == SaveChoice::Cancel) {
        EXPECT_EQ(h.fileBytes(), standardImage());
        EXPECT_EQ(h.prompts.questions.size(), 1U);
        EXPECT_EQ(h.view.selectedIndex(ListControl::cboTeams), 0);
        EXPECT_EQ(h.view.selectedIndex(ListControl::lstPlayers), 1);
        EXPECT_EQ(h.view.text(TextBox::txtRealName), "Edited");
        EXPECT_TRUE(h.editor.hasUnsavedEdits());
      }
    }
  }
}

TEST_F(UnsavedEditsTest, NothingIsAskedWithoutEdits) {
  startOrFail();
  EXPECT_TRUE(editor.Form_QueryUnload());
  pickTeam(1);
  editor.mnuFileHash_Click();
  EXPECT_TRUE(prompts.questions.empty());
}

// Save in the question saves as Save Current does: the player shown is stored from the controls,
// edited or not, and a player only looked at keeps his bytes.
TEST_F(UnsavedEditsTest, SaveInTheQuestionStoresTheShownPlayerAsSaveCurrentDoes) {
  std::vector<db::Byte> image = standardImage();
  putPlayer(image, 1, 2, untidyPlayer(playerAt(image, 1, 2)));
  putPlayer(image, 1, 3, untidyPlayer(playerAt(image, 1, 3)));
  startOrFail(image);
  view.type(txtBat(2), "66");
  pickPlayer(2);
  pickPlayer(1);
  prompts.saveChoices = {SaveChoice::Save};
  pickTeam(1);
  ASSERT_EQ(prompts.questions, std::vector<std::string>{"Save changes to Team 1?"});
  std::vector<db::Byte> expected = image;
  db::PlayerRecord first = playerAt(image, 1, 1);
  first.battingAbilities[2] = 66;
  putPlayer(expected, 1, 1, first);
  putPlayer(expected, 1, 2, savedAsDesigned(playerAt(image, 1, 2)));
  EXPECT_EQ(fileBytes(), expected);
}

TEST_F(UnsavedEditsTest, ARefusedSaveCancelsTheTeamSwitch) {
  startOrFail();
  view.type(txtStats(2), "40000");
  prompts.saveChoices = {SaveChoice::Save};
  pickTeam(1);
  EXPECT_EQ(view.selectedIndex(ListControl::cboTeams), 0);
  EXPECT_EQ(editor.loadedTeam(), 1);
  EXPECT_THAT(messageTexts().at(0), HasSubstr("\"Runs\""));
  EXPECT_EQ(view.text(txtStats(2)), "40000");
  EXPECT_EQ(fileBytes(), standardImage());
}

TEST_F(UnsavedEditsTest, AnEmptiedNameIsSavedOnlyOnYes) {
  struct Case {
    int player;
    std::string question;
  };
  const std::vector<Case> cases = {
      {2,
       "Player 2 has no name. Saved like this, the game and this editor will no longer see "
       "players 2 to 6 of Team 1. Save anyway?"},
      {6,
       "Player 6 has no name. Saved like this, the game and this editor will no longer see "
       "player 6 of Team 1. Save anyway?"},
  };
  for (const Case& c : cases) {
    EditorHarness h;
    h.startOrFail();
    h.pickPlayer(c.player - 1);
    h.view.type(TextBox::txtRealName, "   ");
    h.prompts.answers = {Answer::Yes};  // to "Save current player?"; the warning defaults to No
    h.editor.mnuSave_Click();
    EXPECT_EQ(h.prompts.questions, (std::vector<std::string>{"Save current player?", c.question}));
    EXPECT_EQ(h.fileBytes(), standardImage());
    EXPECT_TRUE(h.editor.hasUnsavedEdits()) << "the edit stays in the window";

    h.prompts.answers = {Answer::Yes, Answer::Yes};
    h.editor.mnuSave_Click();
    std::vector<db::Byte> expected = standardImage();
    db::PlayerRecord emptied = playerAt(expected, 1, c.player);
    emptied.realName.fill(0);
    emptied.spoofName.fill(0);
    putPlayer(expected, 1, c.player, emptied);
    EXPECT_EQ(h.fileBytes(), expected);
  }
}

TEST_F(UnsavedEditsTest, EveryBoxThatCannotBeStoredIsListedBeforeAnyQuestion) {
  startOrFail();
  view.type(txtShirt(1), "256");
  view.type(txtBat(0), "300");
  view.type(txtStats(2), "40000");
  editor.mnuSave_Click();
  EXPECT_TRUE(prompts.questions.empty());
  ASSERT_EQ(prompts.messages.size(), 1U);
  const std::string& message = prompts.messages[0].first;
  EXPECT_THAT(message, HasSubstr("\"Shirt Numbers (box 1)\" holds \"256\""));
  EXPECT_THAT(message, HasSubstr("\"Timing\" holds \"300\""));
  EXPECT_THAT(message, HasSubstr("\"Runs\" holds \"40000\""));
  EXPECT_EQ(view.focused, editor::Control(txtShirt(1))) << "the first box in the window's order";
  EXPECT_EQ(fileBytes(), standardImage());
}

TEST_F(UnsavedEditsTest, TheListShowsTheSavedNamesOnTheSamePlayer) {
  startOrFail();
  pickPlayer(2);
  view.type(TextBox::txtRealName, "  New Name ");
  editor.mnuSave_Click();
  EXPECT_EQ(view.listItems(ListControl::lstPlayers)[2], "New Name");
  EXPECT_EQ(view.selectedIndex(ListControl::lstPlayers), 2);
  EXPECT_EQ(editor.currentPlayer(), 3);
  EXPECT_EQ(view.text(TextBox::txtRealName), "New Name");
}

}  // namespace
}  // namespace zelbor::testing
