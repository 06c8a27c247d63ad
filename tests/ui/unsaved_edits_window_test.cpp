#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>
#include <string>

#include "db/text_codec.h"
#include "modal_watcher.h"
#include "support/database_image.h"
#include "support/temp_file.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

using editor::Answer;
using editor::SaveChoice;
using editor::TextBox;

class UnsavedEditsWindowTest : public UiFixture {
 public:
  UnsavedEditsWindowTest() : sample(readFileBytes(databasePath)) {}

  QComboBox* teams() const { return control<QComboBox>("cboTeams"); }
  QListWidget* players() const { return control<QListWidget>("lstPlayers"); }

  // The user replaces the name in the box by typing.
  void typeName(const QString& name) {
    QLineEdit* box = this->box(TextBox::txtRealName);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, name);
  }
  std::string fileName(int team, int index) const {
    return db::decodeUpToNul(filePlayer(team, index).realName);
  }

  // The window shown, player 2 renamed "Merged Name", and every Timing of team 1 halved in the
  // file by another program.
  void renamePlayerTwoWhileTheFileHalvesTimings() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    players()->setCurrentRow(1);
    typeName("Merged Name");
    for (int index = 1; index <= players()->count(); ++index) {
      changeFilePlayer(1, index, [](db::PlayerRecord& player) {
        player.battingAbilities[0] = static_cast<db::Byte>(player.battingAbilities[0] / 2);
      });
    }
  }

  std::vector<db::Byte> sample;  // the file as the editor opened it
};

// The user's choice when asked whether to save.
class AskedWindowTest : public UnsavedEditsWindowTest,
                        public ::testing::WithParamInterface<SaveChoice> {
 public:
  // What the file and the window must show after the answer, for an action that would drop the
  // edit; `wentOn` is whether the action itself ran.
  void expectAnswerFollowed(bool wentOn) {
    EXPECT_EQ(prompts.questions.at(0), "Save changes to " + teamOne.toStdString() + "?");
    EXPECT_EQ(wentOn, GetParam() != SaveChoice::Cancel);
    EXPECT_EQ(fileName(1, 1), GetParam() == SaveChoice::Save ? "Edited Name" : originalName);
    if (GetParam() == SaveChoice::Cancel) {
      EXPECT_EQ(readFileBytes(databasePath), sample);
      EXPECT_EQ(teams()->currentIndex(), 0);
      EXPECT_EQ(box(TextBox::txtRealName)->text(), "Edited Name");
      EXPECT_TRUE(window.isWindowModified());
    }
  }

  // After a walk over all teams the window shows the same player again, as the file holds it.
  void expectViewReloaded() {
    if (GetParam() == SaveChoice::Cancel) return;
    EXPECT_EQ(teams()->currentIndex(), 0);
    EXPECT_EQ(players()->currentRow(), 0);
    const QString shown = box(TextBox::txtRealName)->text();
    EXPECT_EQ(shown.toStdString(), GetParam() == SaveChoice::Save ? "Edited Name" : originalName);
    EXPECT_EQ(players()->item(0)->text(), shown);
    EXPECT_FALSE(window.isWindowModified());
  }

  void SetUp() override {
    teamOne = teams()->currentText();
    originalName = fileName(1, 1);
    typeName("Edited Name");
    ASSERT_TRUE(window.isWindowModified());
    prompts.saveChoices = {GetParam()};
  }

  QString teamOne;
  std::string originalName;
};

TEST_P(AskedWindowTest, ChoosingAnotherTeam) {
  teams()->setFocus();
  QTest::keyClick(teams(), Qt::Key_Down);
  expectAnswerFollowed(teams()->currentIndex() == 1 && editor.loadedTeam() == 2);
  if (GetParam() != SaveChoice::Cancel) {
    EXPECT_FALSE(window.isWindowModified());
  }
}

TEST_P(AskedWindowTest, ClosingTheWindow) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const bool closed = window.close();
  expectAnswerFollowed(closed);
  EXPECT_EQ(window.isVisible(), !closed);
}

TEST_P(AskedWindowTest, GettingTheFileHash) {
  const ModalWatcher hash("frmFileVerify", [](QWidget* shown) { shown->close(); });
  control<QAction>("mnuFileHash")->trigger();
  expectAnswerFollowed(hash.runs() == 1);
  expectViewReloaded();
}

TEST_P(AskedWindowTest, FixingTheSpoofs) {
  prompts.answers = {Answer::Yes};
  control<QAction>("mnuFixSpoof")->trigger();
  expectAnswerFollowed(prompts.questions.size() == 2);
  expectViewReloaded();
}

TEST_P(AskedWindowTest, BatchProcessingAllTeams) {
  const ModalWatcher batch("frmBatch", [](QWidget* shown) {
    shown->findChild<QRadioButton*>("optAll")->click();
    shown->findChild<QPushButton*>("cmdProcess")->click();
  });
  const ModalWatcher hash("frmFileVerify", [](QWidget* shown) { shown->close(); });
  prompts.answers = {Answer::Yes};
  control<QAction>("mnuEditAbilities")->trigger();
  expectAnswerFollowed(batch.runs() == 1 && hash.runs() == 1);
  EXPECT_EQ(prompts.questions.size(), GetParam() == SaveChoice::Cancel ? 1U : 2U)
      << "asked once, before the window opens";
  expectViewReloaded();
}

std::string choiceName(const ::testing::TestParamInfo<SaveChoice>& info) {
  switch (info.param) {
    case SaveChoice::Save:
      return "Save";
    case SaveChoice::Discard:
      return "Discard";
    case SaveChoice::Cancel:
      return "Cancel";
  }
  return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(SaveDiscardCancel, AskedWindowTest,
                         ::testing::Values(SaveChoice::Save, SaveChoice::Discard,
                                           SaveChoice::Cancel),
                         choiceName);

TEST_F(UnsavedEditsWindowTest, TheTitleMarksUnsavedEditsUntilTheyAreSaved) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QString title = window.windowTitle();
  EXPECT_FALSE(window.isWindowModified());
  QLineEdit* timing = box(editor::txtBat(0));
  const QString shown = timing->text();
  timing->setFocus();
  timing->end(false);
  QTest::keyClick(timing, Qt::Key_Backspace);
  EXPECT_TRUE(window.isWindowModified());
  QTest::keyClicks(timing, shown.right(1));
  EXPECT_FALSE(window.isWindowModified()) << "typed back as it was";
  auto* hats = control<QComboBox>("cboHat");
  hats->setFocus();
  QTest::keyClick(hats, hats->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
  EXPECT_TRUE(window.isWindowModified());
  EXPECT_TRUE(prompts.questions.empty());
  QTest::keyClick(hats, Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_EQ(window.windowTitle(), title);
}

TEST_F(UnsavedEditsWindowTest, TheWheelOverAClosedListChangesItOnlyWithTheFocus) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  for (QComboBox* list : {teams(), control<QComboBox>("cboBowlAction")}) {
    box(TextBox::txtDOB)->setFocus();
    const int before = list->currentIndex();
    const QPointF centre = QRectF(list->rect()).center();
    QWheelEvent down(centre, list->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &down);
    EXPECT_EQ(list->currentIndex(), before) << list->objectName().toStdString();
    EXPECT_FALSE(list->hasFocus());

    list->setFocus();
    QWheelEvent focusedDown(centre, list->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                            Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &focusedDown);
    EXPECT_EQ(list->currentIndex(), before + 1) << list->objectName().toStdString();
  }
  EXPECT_EQ(editor.loadedTeam(), 2) << "the focused wheel is a pick like any other";
}

TEST_F(UnsavedEditsWindowTest, AClearedNameIsWrittenOnlyAfterYes) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  players()->setCurrentRow(2);
  typeName("");
  prompts.answers = {Answer::Yes, Answer::No};
  QTest::keyClick(box(TextBox::txtRealName), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(prompts.questions.size(), 2U);
  EXPECT_EQ(prompts.questions[1],
            "Player 3 has no name. Saved like this, the game and this editor will no longer see "
            "players 3 to " +
                std::to_string(players()->count()) + " of " + teams()->currentText().toStdString() +
                ". Save anyway?");
  EXPECT_EQ(readFileBytes(databasePath), sample);

  prompts.answers = {Answer::Yes, Answer::Yes};
  QTest::keyClick(box(TextBox::txtRealName), Qt::Key_S, Qt::ControlModifier);
  // The file now ends the team before player 3, so it is read from the whole file.
  const db::PlayerRecord saved = playerAt(readFileBytes(databasePath), 1, 3);
  EXPECT_TRUE(
      std::all_of(saved.realName.begin(), saved.realName.end(), [](db::Byte b) { return b == 0; }));
  EXPECT_EQ(players()->item(2)->text(), "") << "the list shows the name as saved";
  EXPECT_EQ(players()->currentRow(), 2);
}

TEST_F(UnsavedEditsWindowTest, PastedTextIsRefusedAndSeveralBadBoxesAreListedAtOnce) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QGuiApplication::clipboard()->setText("-50");
  QLineEdit* runs = box(editor::txtStats(2));
  runs->selectAll();
  QTest::keyClick(runs, Qt::Key_V, Qt::ControlModifier);
  EXPECT_NE(runs->text(), "-50");

  for (const auto& [target, typed] :
       {std::pair{editor::txtShirt(1), "256"}, std::pair{editor::txtStats(3), "99999"}}) {
    box(target)->selectAll();
    QTest::keyClicks(box(target), typed);
  }
  QTest::keyClick(runs, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(prompts.questions.empty()) << "nothing is asked while a box cannot be stored";
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_NE(prompts.messages[0].first.find("Shirt Numbers (box 1)"), std::string::npos);
  EXPECT_NE(prompts.messages[0].first.find("Balls Bowled"), std::string::npos);
  EXPECT_EQ(QApplication::focusWidget(), box(editor::txtShirt(1)));
  EXPECT_EQ(readFileBytes(databasePath), sample);
}

// Another program scales the shown team's Timing while the user edits a name: Merge shows both.
TEST_F(UnsavedEditsWindowTest, MergeShowsTheFilesChangesAndTheEditsUnsaved) {
  renamePlayerTwoWhileTheFileHalvesTimings();
  const std::vector<db::Byte> changed = readFileBytes(databasePath);
  prompts.teamChangedChoices = {editor::TeamChangedChoice::Merge};
  QTest::keyClick(box(TextBox::txtRealName), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(prompts.teamChangedQuestions.size(), 1U);
  EXPECT_EQ(readFileBytes(databasePath), changed);
  EXPECT_EQ(box(TextBox::txtRealName)->text(), "Merged Name");
  EXPECT_EQ(box(editor::txtBat(0))->text().toInt(), filePlayer(1, 2).battingAbilities[0]);
  EXPECT_EQ(players()->currentRow(), 1);
  EXPECT_TRUE(window.isWindowModified());

  players()->setCurrentRow(0);
  EXPECT_EQ(box(editor::txtBat(0))->text().toInt(), filePlayer(1, 1).battingAbilities[0]);
  QTest::keyClick(box(TextBox::txtRealName), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(fileName(1, 2), "Merged Name");
  EXPECT_EQ(filePlayer(1, 3).battingAbilities[0], playerAt(changed, 1, 3).battingAbilities[0]);
  EXPECT_FALSE(window.isWindowModified());
}

// Merge and Save write what Reload Team, the same edit typed again and Save write: the renamed
// player's other texts lose their padding and his spoof face and bat follow the real ones.
TEST_F(UnsavedEditsWindowTest, MergeAndSaveWriteWhatReloadAndTheSameEditTypedAgainWrite) {
  renamePlayerTwoWhileTheFileHalvesTimings();
  // The other program also left player 2's texts padded and his spoofs apart.
  changeFilePlayer(1, 2, [](db::PlayerRecord& player) { player = untidyPlayer(player); });
  const std::vector<db::Byte> changed = readFileBytes(databasePath);
  const auto save = [this] {
    QTest::keyClick(box(TextBox::txtRealName), Qt::Key_S, Qt::ControlModifier);
  };

  prompts.teamChangedChoices = {editor::TeamChangedChoice::Merge};
  save();
  ASSERT_EQ(prompts.teamChangedQuestions.size(), 1U);
  save();
  const std::vector<db::Byte> merged = readFileBytes(databasePath);
  std::vector<db::Byte> expected = changed;
  db::PlayerRecord renamed = playerAt(changed, 1, 2);
  renamed.realName = namedPlayer("Merged Name").realName;
  putPlayer(expected, 1, 2, savedAsDesigned(renamed));
  EXPECT_EQ(merged, expected);

  // The other way: the file changed again as before, Reload Team, the edit typed again, Save.
  writeFileBytes(databasePath, changed);
  prompts.teamChangedChoices = {editor::TeamChangedChoice::ReloadTeam};
  save();
  ASSERT_EQ(prompts.teamChangedQuestions.size(), 2U);
  EXPECT_EQ(readFileBytes(databasePath), changed);
  EXPECT_EQ(players()->currentRow(), 1);
  typeName("Merged Name");
  save();
  EXPECT_EQ(readFileBytes(databasePath), merged);
  EXPECT_FALSE(window.isWindowModified());
}

TEST_F(UnsavedEditsWindowTest, ThePlayerListShowsTheNameAsTypedAndMarksEditedPlayers) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QString second = players()->item(1)->text();
  players()->setCurrentRow(1);
  typeName("Being Typ");
  EXPECT_EQ(players()->item(1)->text(), "* Being Typ");
  QTest::keyClicks(box(TextBox::txtRealName), "ed");
  EXPECT_EQ(players()->item(1)->text(), "* Being Typed");

  players()->setCurrentRow(2);
  QLineEdit* timing = box(editor::txtBat(0));
  timing->selectAll();
  QTest::keyClicks(timing, timing->text() == "1" ? "2" : "1");
  EXPECT_EQ(players()->item(1)->text(), "* Being Typed") << "stored, still unsaved";
  EXPECT_TRUE(players()->item(2)->text().startsWith("* "));
  EXPECT_FALSE(players()->item(0)->text().startsWith("* "));

  players()->setCurrentRow(1);
  typeName(second);
  players()->setCurrentRow(0);
  EXPECT_EQ(players()->item(1)->text(), second) << "typed back as it was";
  prompts.answers = {Answer::Yes};
  QTest::keyClick(timing, Qt::Key_S, Qt::ControlModifier);
  for (int row = 0; row < players()->count(); ++row) {
    EXPECT_FALSE(players()->item(row)->text().startsWith("* ")) << row;
  }
}

TEST_F(UnsavedEditsWindowTest, ARefusedPlayerClickLeavesTheHighlightOnTheShownPlayer) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::keyClicks(box(editor::txtShirt(1)), "999");
  const QRect third = players()->visualItemRect(players()->item(3));
  QTest::mouseClick(players()->viewport(), Qt::LeftButton, {}, third.center());
  QCoreApplication::processEvents();
  EXPECT_EQ(prompts.messages.size(), 1U);
  EXPECT_EQ(players()->currentRow(), 0);
  const QList<QListWidgetItem*> highlighted = players()->selectedItems();
  ASSERT_EQ(highlighted.size(), 1);
  EXPECT_EQ(players()->row(highlighted[0]), 0);
}

TEST_F(UnsavedEditsWindowTest, TheLookUpLabelIsReachedWithTabAndOpensWithEnterOrSpace) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  box(TextBox::txtBestBowlODI)->setFocus();
  QTest::keyClick(box(TextBox::txtBestBowlODI), Qt::Key_Tab);
  QWidget* lookUp = control("lblCricInfo");
  ASSERT_EQ(QApplication::focusWidget(), lookUp);
  QTest::keyClick(lookUp, Qt::Key_Return);
  QTest::keyClick(lookUp, Qt::Key_Space);
  EXPECT_EQ(browser.addresses.size(), 2U);
}

}  // namespace
}  // namespace zelbor::testing
