#include <gmock/gmock.h>

#include "batch/batch_factors.h"
#include "db/text_codec.h"
#include "editor/messages.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

using editor::Answer;
using editor::ListControl;
using editor::MessageIcon;
using editor::SaveChoice;
using editor::TextBox;
using editor::txtBat;
using ::testing::HasSubstr;

class WalksTest : public EditorFixture {
 protected:
  // Selects team 2, player 3 and types an edit that is not saved.
  void editTeamTwoPlayerThree() {
    pickTeam(1);
    pickPlayer(2);
    view.type(txtBat(2), "40");
  }

  void expectViewOnTeamTwoPlayerThree() {
    EXPECT_EQ(view.selectedIndex(ListControl::cboTeams), 1);
    EXPECT_EQ(view.selectedIndex(ListControl::lstPlayers), 2);
    EXPECT_EQ(editor.currentPlayer(), 3);
    EXPECT_EQ(editor.loadedTeam(), 2);
    EXPECT_EQ(view.text(TextBox::txtRealName), "T2 Player 3");
  }

  static batch::BatchFactors powerAt75() {
    batch::BatchFactors factors;
    factors.batting[2] = batch::factorForSliderValue(25);
    return factors;
  }

  // What powerAt75 makes of a player, worked out here: Power times 3/4, halves to even.
  static void powerScaledByHand(db::PlayerRecord& player) {
    const int quarters = player.battingAbilities[2] * 3;
    int scaled = quarters / 4;
    if (quarters % 4 == 3 || (quarters % 4 == 2 && scaled % 2 == 1)) ++scaled;
    player.battingAbilities[2] = static_cast<db::Byte>(scaled);
  }

  static void spoofsRepairedByHand(db::PlayerRecord& player) {
    player.spoofName = player.realName;
    player.spoofFace = player.realFace;
    player.spoofBat = player.realBat;
  }

  // `image` with every loaded player of the given teams changed by `change`.
  static std::vector<db::Byte> changed(std::vector<db::Byte> image,
                                       std::initializer_list<int> teams,
                                       const std::function<void(db::PlayerRecord&)>& change) {
    for (const int team : teams) {
      for (int slot = 1; slot <= db::kPlayerSlots && !db::isEmptySlot(playerAt(image, team, slot));
           ++slot) {
        db::PlayerRecord player = playerAt(image, team, slot);
        change(player);
        putPlayer(image, team, slot, player);
      }
    }
    return image;
  }

  static std::vector<db::Byte> imageWithGapsAndSpoofs() {
    std::vector<db::Byte> image = standardImage();
    putTeam(image, 4, 30, "T4 Player");
    putPlayer(image, 4, 10, namedPlayer(""));  // players 11..30 are invisible
    for (int team : {1, 4}) {
      for (int slot : {2, 12}) {
        db::PlayerRecord player = playerAt(image, team, slot);
        player.spoofName[0] ^= 0x55;
        player.spoofFace = static_cast<std::int16_t>(player.realFace + 3);
        player.spoofBat = static_cast<db::Byte>(player.realBat + 1);
        putPlayer(image, team, slot, player);
      }
    }
    return image;
  }
};

TEST_F(WalksTest, BatchCurrentScalesTheTeamWithItsEditsOnceSaved) {
  startOrFail();
  editTeamTwoPlayerThree();
  pickPlayer(0);  // stores the edit into memory
  pickPlayer(2);
  prompts.saveChoices = {SaveChoice::Save};
  editor.BatchCurrent(powerAt75());

  ASSERT_EQ(prompts.questions.size(), 2u);
  EXPECT_EQ(prompts.questions[0], "Save changes to Team 2?");
  EXPECT_EQ(prompts.questions[1],
            "Do you want to batch process current the team's players' abilities now?\r\n\r\n"
            "If this has been done already your game is likely to end up a bit silly");
  EXPECT_EQ(prompts.messages.back(),
            std::make_pair(std::string("Current team's players' stats have been batch processed"),
                           MessageIcon::Information));
  std::vector<db::Byte> expected = standardImage();
  db::PlayerRecord three = playerAt(expected, 2, 3);
  three.battingAbilities[2] = 40;
  putPlayer(expected, 2, 3, three);
  expected = changed(expected, {2}, powerScaledByHand);
  EXPECT_EQ(fileBytes(), expected);
  EXPECT_EQ(view.text(txtBat(2)), "30") << "the view shows the scaled value of the same player";
  EXPECT_EQ(view.selectedIndex(ListControl::lstPlayers), 2);
}

TEST_F(WalksTest, BatchAllDropsDiscardedEditsAndKeepsSlotsAfterAGap) {
  const std::vector<db::Byte> image = imageWithGapsAndSpoofs();
  startOrFail(image);
  editTeamTwoPlayerThree();
  editor.BatchAll(powerAt75());

  EXPECT_EQ(prompts.questions.at(0), "Save changes to Team 2?");
  EXPECT_EQ(prompts.questions.at(1),
            "Do you want to batch process all players' abilities now?\r\n\r\n"
            "If this has been done already your game is likely to end up a bit silly");
  EXPECT_EQ(prompts.messages.back().first, "All players' stats have been batch processed");
  std::initializer_list<int> allTeams = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
  const std::vector<db::Byte> expected = changed(image, allTeams, powerScaledByHand);
  ASSERT_NE(expected, image) << "the fixture must hold abilities the batch changes";
  EXPECT_EQ(fileBytes(), expected);
  expectViewOnTeamTwoPlayerThree();
}

TEST_F(WalksTest, DecliningABatchChangesNothing) {
  startOrFail();
  editTeamTwoPlayerThree();
  prompts.answers = {Answer::No, Answer::No};
  editor.BatchAll(powerAt75());
  editor.BatchCurrent(powerAt75());
  EXPECT_EQ(fileBytes(), standardImage());
  EXPECT_EQ(view.text(txtBat(2)), "40") << "the view, edit included, is left as it was";
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(WalksTest, TheFileHashCountsLoadedPlayersAndRestoresTheView) {
  std::vector<db::Byte> image = blankDatabase();
  db::PlayerRecord one = namedPlayer("One");
  one.battingAbilities = {50, 60, 70, 80};
  one.bowlingAbilities = {10, 20, 30, 40};
  one.fieldingAbilities = {1, 2, 3, 4, 5};
  db::PlayerRecord two = namedPlayer("Two");
  two.battingAbilities = {255, 255, 0, 0};
  two.bowlingAbilities = {0, 0, 0, 1};
  two.fieldingAbilities = {100, 0, 0, 0, 0};
  db::PlayerRecord hidden = namedPlayer("Hidden");
  hidden.battingAbilities = {99, 99, 99, 99};
  putPlayer(image, 1, 1, one);
  putPlayer(image, 1, 2, two);
  putPlayer(image, 1, 4, hidden);  // after the empty third slot: never counted
  for (int team = 2; team <= db::kTeamCount; ++team) {
    db::PlayerRecord zero = namedPlayer("Zero");
    zero.battingAbilities = {};
    zero.bowlingAbilities = {};
    zero.fieldingAbilities = {};
    putPlayer(image, team, 1, zero);
  }
  startOrFail(image);
  pickPlayer(1);
  view.type(txtBat(0), "1");  // in memory only: does not count and is dropped

  editor.mnuFileHash_Click();
  EXPECT_EQ(view.shownHashes, std::vector<std::string>{"302-65-73"});
  EXPECT_EQ(view.selectedIndex(ListControl::lstPlayers), 1);
  EXPECT_EQ(view.text(txtBat(0)), "255");
  EXPECT_EQ(fileBytes(), image);
}

TEST_F(WalksTest, AReadWalkLeavesTheTeamOnScreenAsLoaded) {
  startOrFail();
  pickTeam(1);
  pickPlayer(2);
  // Another program renames the player on screen. The file hash reads every team of the file
  // but does not load them over the one on screen, so nothing is reloaded behind the user.
  std::vector<db::Byte> image = fileBytes();
  db::PlayerRecord renamed = playerAt(image, 2, 3);
  renamed.realName = namedPlayer("Renamed").realName;
  putPlayer(image, 2, 3, renamed);
  writeFileBytes(databasePath, image);

  editor.mnuFileHash_Click();
  ASSERT_EQ(view.shownHashes.size(), 1U);
  expectViewOnTeamTwoPlayerThree();
  EXPECT_EQ(db::decodeUpToNul(editor.teamOnScreen().player(3).realName), "T2 Player 3");
}

TEST_F(WalksTest, TheSpoofRepairCopiesTheRealFieldsOnceAndOnlyThem) {
  const std::vector<db::Byte> image = imageWithGapsAndSpoofs();
  startOrFail(image);
  editTeamTwoPlayerThree();
  editor.mnuFixSpoof_Click();
  EXPECT_EQ(prompts.questions.at(1), "Replace all spoof names and faces with the real versions?");
  EXPECT_EQ(prompts.messages.back(),
            std::make_pair(std::string("All names and faces have been fixed"), MessageIcon::None));
  const std::vector<db::Byte> expected = changed(image, {1, 4}, spoofsRepairedByHand);
  ASSERT_NE(expected, image) << "the fixture must hold spoofs to repair";
  EXPECT_EQ(fileBytes(), expected) << "slot 12 of team 4 lies after the gap and keeps its spoofs";
  expectViewOnTeamTwoPlayerThree();

  editor.mnuFixSpoof_Click();
  EXPECT_EQ(fileBytes(), expected);

  prompts.answers = {Answer::No};
  const auto messagesBefore = prompts.messages.size();
  editor.mnuFixSpoof_Click();
  EXPECT_EQ(prompts.messages.size(), messagesBefore);
}

TEST_F(WalksTest, AFileErrorPartWayIsReportedAndTheEarlierTeamsStayWritten) {
  const std::vector<db::Byte> image = standardImage();
  startOrFail(image);
  editTeamTwoPlayerThree();
  // Team 3 has no players and writes nothing, so the fourth write is team 5's.
  int writes = 0;
  fileSystem.setRule([&writes](int, FileCall call) {
    return call == FileCall::Write && ++writes == 4 ? Fault::Fail : Fault::None;
  });
  editor.BatchAll(powerAt75());

  ASSERT_FALSE(prompts.messages.empty());
  const std::string message = prompts.messages.back().first;
  EXPECT_THAT(message, HasSubstr("team 5 (Team 5)"));
  EXPECT_THAT(message, HasSubstr(databasePath));
  EXPECT_THAT(message, HasSubstr("Input/output error"));
  EXPECT_THAT(message, HasSubstr("Teams 1 to 4 were written; team 5 may be part-written; teams "
                                 "6 to 17 were not written."));
  EXPECT_EQ(prompts.messages.back().second, MessageIcon::Warning);
  EXPECT_EQ(fileBytes(), changed(image, {1, 2, 3, 4}, powerScaledByHand));
  expectViewOnTeamTwoPlayerThree();
  EXPECT_EQ(fileSystem.openFiles(), 0);
}

// Stands in for the front end's batch window: closed by "Process" or by its title bar.
class BatchWindowOnly final : public editor::SecondaryWindows {
 public:
  explicit BatchWindowOnly(bool processed) : processed_(processed) {}
  std::unique_ptr<editor::BackupChooser> backupChooser() override { return nullptr; }
  std::unique_ptr<editor::ExchangeWindows> exchangeWindows() override { return nullptr; }
  std::unique_ptr<editor::PlayerFinder> playerFinder() override { return nullptr; }
  bool showBatchWindow(const std::string& teamName) override {
    shownFor.push_back(teamName);
    return processed_;
  }
  void closeMainWindow() override {}
  std::vector<std::string> shownFor;

 private:
  bool processed_;
};

TEST_F(WalksTest, TheBatchWindowIsFollowedByTheHashOnlyWhenProcessClosedIt) {
  startOrFail();
  pickTeam(1);
  for (const bool processed : {true, false}) {
    view.shownHashes.clear();
    BatchWindowOnly windows(processed);
    editor.run(editor::Command::EditAbilities, windows);
    EXPECT_THAT(windows.shownFor,
                ::testing::ElementsAre(view.items.at(ListControl::cboTeams).at(1)));
    EXPECT_EQ(view.shownHashes.size(), processed ? 1U : 0U) << "processed " << processed;
  }
}

TEST_F(WalksTest, LineupsNameTheLoadedPlayersOfTheCurrentTeam) {
  std::vector<db::Byte> image = standardImage();
  const std::uint64_t area = db::lineupAreaStart(1);
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(area), db::kLineupAreaSize,
              db::Byte{255});
  image[area + 0] = 0;   // World Cup entry 1: player 1
  image[area + 14] = 5;  // World Cup entry 15: the last player
  image[area + 15] = 0;  // unused byte
  image[area + 16] = 2;  // Champions Trophy entry 1
  image[area + 33] = 6;  // ODI entry 2: slot 7 is empty, so no loaded player
  image[area + 63] = 2;  // Test Match entry 16
  startOrFail(image);
  pickPlayer(2);
  view.type(TextBox::txtRealName, "Edited Three");
  pickPlayer(0);  // memory holds the edit, which the lineups show

  editor.mnuLineup_Click();
  ASSERT_EQ(view.shownLineups.size(), 1u);
  const editor::LineupLines& lines = view.shownLineups[0];
  EXPECT_EQ(lines[0].size(), 15u);
  EXPECT_EQ(lines[1].size(), 14u);
  EXPECT_EQ(lines[2].size(), 16u);
  EXPECT_EQ(lines[3].size(), 16u);
  EXPECT_EQ(lines[0][0], "T1 Player 1");
  EXPECT_EQ(lines[0][14], "T1 Player 6");
  EXPECT_EQ(lines[0][1], "");
  EXPECT_EQ(lines[1][0], "Edited Three");
  EXPECT_EQ(lines[2][1], "");
  EXPECT_EQ(lines[3][15], "Edited Three");
  EXPECT_EQ(fileBytes(), image);
}

}  // namespace
}  // namespace zelbor::testing
