// Another program changed the team on screen: the save offers to merge the user's edits into the
// team as the file holds it now.
#include <gmock/gmock.h>

#include <functional>

#include "editor/team_merge.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

using editor::Answer;
using editor::ListControl;
using editor::TeamChangedChoice;
using editor::TextBox;
using editor::txtBat;
using ::testing::HasSubstr;

class ChangedTeamTest : public EditorFixture {
 protected:
  // Another program rewrites the file with `change` made to team 1's players.
  std::vector<db::Byte> changeElsewhere(const std::function<void(int, db::PlayerRecord&)>& change) {
    std::vector<db::Byte> image = fileBytes();
    for (int slot = 1; slot <= 6; ++slot) {
      db::PlayerRecord player = playerAt(image, 1, slot);
      change(slot, player);
      putPlayer(image, 1, slot, player);
    }
    writeFileBytes(databasePath, image);
    return image;
  }

  // The user saves and, told the team changed, picks Merge.
  void saveAndMerge() {
    prompts.teamChangedChoices = {TeamChangedChoice::Merge};
    editor.mnuSave_Click();
    ASSERT_EQ(prompts.teamChangedQuestions.size(), 1U);
  }
};

void scaleTiming(int, db::PlayerRecord& player) {
  player.battingAbilities[0] = static_cast<db::Byte>(player.battingAbilities[0] * 80 / 100);
}

TEST_F(ChangedTeamTest, AMergedTeamHoldsBothChangesOnceSaved) {
  startOrFail();
  pickPlayer(1);
  view.type(TextBox::txtRealName, "Edited Name");
  editor.PlayerControl_Change();
  std::vector<db::Byte> expected = changeElsewhere(scaleTiming);
  const std::vector<db::Byte> changed = expected;
  saveAndMerge();
  EXPECT_THAT(prompts.teamChangedQuestions[0], HasSubstr("Merge shows the team"));

  // Shown unsaved: the user's edit and the other program's change.
  EXPECT_EQ(fileBytes(), changed);
  EXPECT_TRUE(view.modified);
  EXPECT_EQ(view.selectedIndex(ListControl::lstPlayers), 1);
  EXPECT_EQ(view.text(TextBox::txtRealName), "Edited Name");
  EXPECT_EQ(view.text(txtBat(0)), std::to_string(playerAt(changed, 1, 2).battingAbilities[0]));
  EXPECT_EQ(view.listItems(ListControl::lstPlayers)[1], "* Edited Name");
  EXPECT_EQ(view.listItems(ListControl::lstPlayers)[2], "T1 Player 3");
  EXPECT_TRUE(prompts.messages.empty());

  editor.mnuSave_Click();
  db::PlayerRecord named = playerAt(expected, 1, 2);
  named.realName = namedPlayer("Edited Name").realName;
  named.spoofName = named.realName;
  putPlayer(expected, 1, 2, named);
  EXPECT_EQ(fileBytes(), expected);
  EXPECT_FALSE(view.modified);
  EXPECT_EQ(view.listItems(ListControl::lstPlayers)[1], "Edited Name");
}

// The same edits reach the file in the same bytes whether the user merges them into the changed
// team or reloads it and types them again: every edited player is stored as a save stores him.
TEST_F(ChangedTeamTest, MergeAndSaveWriteWhatReloadTheSameEditsAndSaveWrite) {
  std::vector<db::Byte> image = standardImage();
  putPlayer(image, 1, 2, untidyPlayer(playerAt(image, 1, 2)));
  const auto edit = [](EditorHarness& h) {
    h.pickPlayer(1);
    h.view.type(TextBox::txtRealName, "Merged Name");
    h.editor.PlayerControl_Change();
    h.pickPlayer(3);
    h.view.type(txtBat(1), "41");
    h.editor.PlayerControl_Change();
  };
  // Another program halves every Timing and leaves player 4 untidy.
  const auto changeElsewhere = [](const std::vector<db::Byte>& from) {
    std::vector<db::Byte> image = from;
    for (int slot = 1; slot <= 6; ++slot) {
      db::PlayerRecord player = playerAt(image, 1, slot);
      player.battingAbilities[0] = static_cast<db::Byte>(player.battingAbilities[0] / 2);
      putPlayer(image, 1, slot, slot == 4 ? untidyPlayer(player) : player);
    }
    return image;
  };

  EditorHarness merged;
  merged.startOrFail(image);
  edit(merged);
  const std::vector<db::Byte> changed = changeElsewhere(image);
  writeFileBytes(merged.databasePath, changed);
  merged.prompts.teamChangedChoices = {TeamChangedChoice::Merge};
  merged.editor.mnuSave_Click();
  ASSERT_EQ(merged.prompts.teamChangedQuestions.size(), 1U);
  merged.editor.mnuSave_Click();

  EditorHarness reloaded;
  reloaded.startOrFail(image);
  edit(reloaded);
  writeFileBytes(reloaded.databasePath, changed);
  reloaded.prompts.teamChangedChoices = {TeamChangedChoice::ReloadTeam};
  reloaded.editor.mnuSave_Click();
  ASSERT_EQ(reloaded.prompts.teamChangedQuestions.size(), 1U);
  EXPECT_FALSE(reloaded.view.modified) << "the edits were dropped";
  edit(reloaded);
  reloaded.editor.mnuSave_Click();

  std::vector<db::Byte> expected = changed;
  db::PlayerRecord two = playerAt(changed, 1, 2);
  two.realName = namedPlayer("Merged Name").realName;
  putPlayer(expected, 1, 2, savedAsDesigned(two));
  db::PlayerRecord four = playerAt(changed, 1, 4);
  four.battingAbilities[1] = 41;
  putPlayer(expected, 1, 4, savedAsDesigned(four));
  EXPECT_EQ(reloaded.fileBytes(), expected);
  EXPECT_EQ(merged.fileBytes(), expected);
  EXPECT_FALSE(merged.view.modified);
}

// Where both changed a field, the question lists it and the user's value is kept only on Yes.
TEST_F(ChangedTeamTest, AFieldBothChangedKeepsTheUsersValueOnlyOnYes) {
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    SCOPED_TRACE(answer == Answer::Yes ? "yes" : "no");
    EditorHarness h;
    h.startOrFail();
    h.pickPlayer(2);
    h.view.type(txtBat(0), "70");
    h.view.selections[ListControl::cboHat] = 2;
    h.view.type(txtBat(1), "33");  // changed by the user only
    std::vector<db::Byte> image = h.fileBytes();
    db::PlayerRecord other = playerAt(image, 1, 3);
    other.battingAbilities[0] = 50;
    other.hat = 1;
    other.bowlingAbilities[0] = 44;  // changed by the other program only
    putPlayer(image, 1, 3, other);
    writeFileBytes(h.databasePath, image);

    h.prompts.answers = {Answer::Yes, answer};
    h.prompts.teamChangedChoices = {TeamChangedChoice::Merge};
    h.editor.mnuSave_Click();
    ASSERT_EQ(h.prompts.questions.size(), 2U);
    EXPECT_EQ(h.prompts.questions[1],
              "You and another program changed the same fields of team 1 (Team 1):\r\n\r\n"
              "Player 3 (T1 Player 3), Timing: the file holds \"50\", you entered \"70\"\r\n"
              "Player 3 (T1 Player 3), Hat/Cap: the file holds \"Sunhat\", you entered \"Cap\"\r\n"
              "\r\nKeep your values? Yes keeps what you entered; No keeps the file's values.");
    EXPECT_EQ(h.view.text(txtBat(0)), answer == Answer::Yes ? "70" : "50");
    EXPECT_EQ(h.view.selectedIndex(ListControl::cboHat), answer == Answer::Yes ? 2 : 1);
    EXPECT_EQ(h.view.text(txtBat(1)), "33");
    EXPECT_EQ(h.view.text(editor::txtBowl(0)), "44");
    EXPECT_EQ(h.fileBytes(), image) << "nothing is written before the user saves";

    h.prompts.answers = {Answer::Yes};
    h.editor.mnuSave_Click();
    if (answer == Answer::Yes) {
      other.battingAbilities[0] = 70;
      other.hat = 2;
    }
    other.battingAbilities[1] = 33;
    putPlayer(image, 1, 3, other);
    EXPECT_EQ(h.fileBytes(), image);
  }
}

TEST_F(ChangedTeamTest, EditsOfAPlayerTheFileNoLongerListsAreNotMerged) {
  startOrFail();
  pickPlayer(5);
  view.type(TextBox::txtRealName, "Sixth Edited");
  editor.PlayerControl_Change();
  const std::vector<db::Byte> changed = changeElsewhere([](int slot, db::PlayerRecord& player) {
    if (slot == 5) player.realName.fill(0);
  });
  saveAndMerge();
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_EQ(prompts.messages[0].first,
            "Your edits of team 1 (Team 1) were not merged: you edited player 6, which the file no "
            "longer lists. Your edits stay on screen, unsaved.");
  EXPECT_EQ(view.text(TextBox::txtRealName), "Sixth Edited");
  EXPECT_TRUE(view.modified);

  prompts.teamChangedChoices = {TeamChangedChoice::KeepEdits};
  editor.mnuSave_Click();
  EXPECT_EQ(prompts.teamChangedQuestions.size(), 2U) << "the team still cannot be saved";
  EXPECT_EQ(fileBytes(), changed);
}

// Storing a player the user only looked at clears the bytes after its name's NUL and the spaces
// around it: that is no edit, so the other program's new name is taken without a question, and
// the merged player is stored as a save stores him.
TEST(TeamMerge, BytesAfterANamesNulAndItsSpacesAreNoEdit) {
  db::PlayerRecord loaded = namedPlayer("Ann", 3);
  loaded.realName[10] = 'x';
  db::PlayerRecord edited = loaded;
  edited.realName[10] = 0;
  edited.battingAbilities[2] = 61;
  db::PlayerRecord inFile = loaded;
  inFile.realName = namedPlayer("Bob").realName;
  const std::vector<db::PlayerRecord> merged{inFile};
  const editor::TeamMerge merge =
      editor::mergeTeam(std::vector{loaded}, std::vector{edited}, merged, true);
  EXPECT_TRUE(merge.conflicts.empty());
  db::PlayerRecord expected = inFile;
  expected.battingAbilities[2] = 61;
  EXPECT_EQ(db::encodePlayerRecord(merge.players.at(0)),
            db::encodePlayerRecord(savedAsDesigned(expected)));

  // The name as loaded padded with spaces, as stored without them.
  db::PlayerRecord padded = untidyPlayer(loaded);
  db::PlayerRecord storedPadded = savedAsDesigned(padded);
  storedPadded.battingAbilities[2] = 61;
  const editor::TeamMerge spaces =
      editor::mergeTeam(std::vector{padded}, std::vector{storedPadded}, merged, true);
  EXPECT_TRUE(spaces.conflicts.empty());
  EXPECT_EQ(db::encodePlayerRecord(spaces.players.at(0)),
            db::encodePlayerRecord(savedAsDesigned(expected)));
}

}  // namespace
}  // namespace zelbor::testing
