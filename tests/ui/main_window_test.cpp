#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QTest>
#include <QToolTip>
#include <functional>

#include "editor/controls.h"
#include "editor/web_lookup.h"
#include "forms/main_window_form.h"
#include "support/database_image.h"
#include "ui/twips.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

using editor::ListControl;
using editor::TextBox;

class MainWindowTest : public UiFixture {
 public:
  // The user empties a box first, as the editor would set it.
  void clear(TextBox textBox) { window.setText(textBox, ""); }

  QColor barColour(int row) const {
    return box(editor::abilityBox(row))->palette().color(QPalette::Base);
  }
  int pixels(double twips) const { return ui::pixelsFromTwips(twips, ui::screenLogicalDpi()); }
};

TEST_F(MainWindowTest, EveryControlCarriesItsDesignName) {
  EXPECT_EQ(window.objectName(), "Form1");
  for (int i = 0; i < editor::kTextBoxCount; ++i) {
    control<QLineEdit>(editor::designName(static_cast<TextBox>(i)));
  }
  for (int i = 0; i < editor::kListControlCount; ++i) {
    const auto list = static_cast<ListControl>(i);
    const std::string name(editor::designName(list));
    if (list == ListControl::lstPlayers) {
      control<QListWidget>(name);
    } else {
      control<QComboBox>(name);
    }
  }
  std::vector<std::string> others = {"Frame1",    "Frame2",    "Frame3",    "Frame4",
                                     "img1",      "Shape1",    "Label6",    "lblCricInfo",
                                     "Label1(0)", "Label1(1)", "Label1(3)", "Label1(4)"};
  for (int i = 0; i < 3; ++i) others.push_back(forms::arrayElement("Label2", i));
  for (int i = 0; i < editor::kAbilityRowCount; ++i) {
    others.push_back(forms::arrayElement("Label3", i));
    others.push_back(forms::arrayElement("box", i));
  }
  for (int i = 0; i <= 26; ++i) others.push_back(forms::arrayElement("Label4", i));
  for (const std::string& name : others) control(name);
  // Nothing carries a name twice, and no Label1(2) exists.
  EXPECT_EQ(window.findChildren<QWidget*>("Label4(26)").size(), 1);
  EXPECT_EQ(window.findChild<QWidget*>("Label1(2)"), nullptr);
}

TEST_F(MainWindowTest, CaptionsAndPlacesFollowTheDesign) {
  // A window of its own: the started one has drawn its ability bars to their values' widths.
  const ui::MainWindow built;
  const auto* builtScroll = qobject_cast<QScrollArea*>(built.centralWidget());
  ASSERT_NE(builtScroll, nullptr);
  expectBuiltAsDesigned(builtScroll->widget(), forms::mainWindowForm().controls);

  const auto* scroll = qobject_cast<QScrollArea*>(window.centralWidget());
  ASSERT_NE(scroll, nullptr);
  EXPECT_EQ(scroll->widget()->size(), pixelRect({0, 0, 9495, 10650}).size());
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window.windowTitle().toStdString(), databasePath + "[*]");

  EXPECT_TRUE(control<QLabel>("Label2(0)")->font().bold());
  EXPECT_TRUE(control<QLabel>("Label4(3)")->wordWrap());
  EXPECT_TRUE(control<QLabel>("Label1(4)")->alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(box(TextBox::txtRealName)->alignment() & Qt::AlignHCenter);
  const auto* lookUp = control<QLabel>("lblCricInfo");
  EXPECT_TRUE(lookUp->font().underline());
  EXPECT_EQ(lookUp->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

TEST_F(MainWindowTest, TabOrderStartsWithTheTeamsThePlayersAndTheName) {
  EXPECT_EQ(
      tabOrder(control("cboTeams"), 5),
      (std::vector<std::string>{"cboTeams", "lstPlayers", "txtRealName", "txtDOB", "txtShirt(1)"}));
}

TEST_F(MainWindowTest, MenusHoldExactlyTheirItemsWithMnemonics) {
  struct Menu {
    QString name;
    QString caption;
    std::vector<std::pair<QString, QString>> items;
  };
  const std::vector<Menu> expected = {
      // Additions follow the designed items behind a separator (no name, no text).
      {"mnuFile",
       "&File",
       {{"mnuSave", "&Save Current"},
        {"", ""},
        {"mnuRestore", "&Restore from Backup\u2026"},
        {"mnuOpen", "&Open Database\u2026"},
        {"mnuExport", "&Export Players\u2026"},
        {"mnuImport", "&Import Players\u2026"},
        {"mnuCompare", "&Compare with Database\u2026"},
        {"", ""},
        {"mnuQuit", "&Quit"}}},
      {"mnuBatch",
       "&Batch Editing",
       {{"mnuEditAbilities", "Batch &Edit Player Abilities"},
        {"mnuFixSpoof", "&Fix Spoof Names and Faces"}}},
      {"mnuUtilties", "&Utilities", {{"mnuLineup", "&Lineups"}, {"mnuFileHash", "Get File &Hash"}}},
      {"mnuSearch", "&Search", {{"mnuFindPlayer", "&Find Player\u2026"}}},
      {"mnuHelp", "&Help", {{"mnuAbout", "&About"}}},
  };
  const QList<QAction*> menus = window.menuBar()->actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t m = 0; m < expected.size(); ++m) {
    QMenu* menu = menus[static_cast<qsizetype>(m)]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), expected[m].name);
    EXPECT_EQ(menu->title(), expected[m].caption);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].items.size())) << m;
    for (std::size_t i = 0; i < expected[m].items.size(); ++i) {
      EXPECT_EQ(items[static_cast<qsizetype>(i)]->objectName(), expected[m].items[i].first);
      EXPECT_EQ(items[static_cast<qsizetype>(i)]->text(), expected[m].items[i].second);
    }
  }
  const std::pair<const char*, QKeySequence> shortcuts[] = {
      {"mnuSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"mnuExport", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"mnuImport", QKeySequence(Qt::CTRL | Qt::Key_I)},
      {"mnuQuit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"mnuFindPlayer", QKeySequence(Qt::CTRL | Qt::Key_F)},
      {"mnuFixSpoof", QKeySequence()},
  };
  for (const auto& [name, shortcut] : shortcuts) {
    EXPECT_EQ(control<QAction>(name)->shortcut(), shortcut) << name;
  }
}

TEST_F(MainWindowTest, TypedCharactersPassTheBoxFilters) {
  struct Case {
    TextBox box;
    QString typed;
    QString shown;
  };
  const std::vector<Case> cases = {
      {editor::txtBat(0), "a1b2", "12"},  // letters refused
      {editor::txtBat(1), "123", "12"},   // a third digit passes no 2-character box
      {editor::txtBowl(2), " 5", " 5"},   // the space is a control code
      {editor::txtField(4), "9x", "9"},
      {editor::txtShirt(1), "x7y", "7"},  // no limit, digits only
      {editor::txtStats(2), "1234567", "12345"},
      {editor::txtStats(0), "1000", "100"},
      {TextBox::txtDOB, "12/03/75", "12/03/75"},
      {TextBox::txtDOB, "1a2B/", "12/"},
      {TextBox::txtRealName, "Ab Cd-9!", "Ab Cd-9!"},  // not filtered
  };
  for (const Case& c : cases) {
    clear(c.box);
    QTest::keyClicks(box(c.box), c.typed);
    EXPECT_EQ(box(c.box)->text(), c.shown)
        << editor::designName(c.box) << " " << c.typed.toStdString();
  }
}

TEST_F(MainWindowTest, TheAveragesAreShownButTakeNoTyping) {
  for (const TextBox average : {TextBox::txtBatAvge, TextBox::txtBowlAvge}) {
    window.setText(average, "4.5");
    box(average)->selectAll();
    QTest::keyClicks(box(average), "7.1");
    QGuiApplication::clipboard()->setText("9");
    QTest::keyClick(box(average), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box(average)->text(), "4.5");
    EXPECT_TRUE(box(average)->isReadOnly());
  }
}

TEST_F(MainWindowTest, BackspaceAndDeleteWorkAsUsual) {
  window.setText(editor::txtBat(3), "12");
  QLineEdit* ability = box(editor::txtBat(3));
  ability->end(false);
  QTest::keyClick(ability, Qt::Key_Backspace);
  EXPECT_EQ(ability->text(), "1");
  ability->home(false);
  QTest::keyClick(ability, Qt::Key_Delete);
  EXPECT_EQ(ability->text(), "");
}

// Text that arrives without key presses is refused whole when typing any of its characters
// would be refused, or when the box cannot hold all of it.
TEST_F(MainWindowTest, PastedAndDroppedTextObeysTheTypingRules) {
  struct Case {
    TextBox box;
    QString inserted;
    QString shown;
  };
  const std::vector<Case> cases = {
      {editor::txtBat(2), "x7", ""},
      {editor::txtBat(2), "a1b2c3", ""},
      {editor::txtStats(2), "-50", ""},
      {editor::txtStats(2), "1234567", ""},
      {editor::txtStats(1), "12345", ""},
      {editor::txtBat(2), "300", ""},
      {editor::txtStats(0), "  75 ", "75"},  // blanks around a number are trimmed first
      {TextBox::txtRealName, QString(41, 'n'), ""},
      {TextBox::txtRealName, QString::fromUtf8("\u0141ukasz"), ""},
      {TextBox::txtRealName, QString::fromUtf8("Jo \U0001F600"), ""},
      {editor::txtShirt(2), "1 2", "1 2"},                     // the space passes, as typed
      {editor::txtField(0), QString::fromUtf8("\u0661"), ""},  // a digit, but not "0".."9"
      {TextBox::txtDOB, "12/03/75", "12/03/75"},
      {TextBox::txtDOB, "12-03-75", ""},
      {TextBox::txtRealName, "a1-?", "a1-?"},
  };
  const auto paths = std::vector<std::pair<const char*, std::function<void(QLineEdit*)>>>{
      {"Ctrl+V", [](QLineEdit* edit) { QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); }},
      {"Shift+Insert",
       [](QLineEdit* edit) { QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier); }},
      {"menu", [](QLineEdit* edit) { edit->paste(); }},
      {"drop",
       [](QLineEdit* edit) {
         QMimeData data;
         data.setText(QGuiApplication::clipboard()->text());
         QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QCoreApplication::sendEvent(edit, &enter);
         QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QCoreApplication::sendEvent(edit, &drop);
       }},
  };
  for (const auto& [path, insert] : paths) {
    for (const Case& c : cases) {
      clear(c.box);
      QGuiApplication::clipboard()->setText(c.inserted);
      insert(box(c.box));
      EXPECT_EQ(box(c.box)->text(), c.shown)
          << path << " " << editor::designName(c.box) << " " << c.inserted.toStdString();
    }
  }
}

// A refusal is never silent: the box says why, and a character the database cannot store is
// refused as it is typed with the save's own words.
TEST_F(MainWindowTest, ARefusedInsertionSaysWhyAtTheBox) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  struct Case {
    TextBox box;
    std::function<void(QLineEdit*)> insert;
    std::string message;
  };
  const auto paste = [](QString text) {
    return [text](QLineEdit* edit) {
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    };
  };
  const std::vector<Case> cases = {
      {editor::txtStats(2), paste("1234567"),
       "\"Runs\" holds at most 5 characters, so \"1234567\" was not inserted."},
      {editor::txtBat(0), paste("-5"),
       "\"Timing\" takes only the digits 0 to 9, so \"-5\" was not inserted."},
      {TextBox::txtRealName,
       [](QLineEdit* edit) {
         QTest::keyClicks(edit, "Ab");
         QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUtf8("\u0141"),
                             Qt::NoModifier);
       },
       "\"Name\" cannot hold the character \"\u0141\": the game's database stores only Western "
       "European (Windows-1252) characters."},
  };
  for (const Case& c : cases) {
    clear(c.box);
    QToolTip::hideText();
    box(c.box)->setFocus();
    c.insert(box(c.box));
    EXPECT_TRUE(QToolTip::isVisible()) << editor::designName(c.box);
    EXPECT_EQ(QToolTip::text().toStdString(), c.message);
  }
  EXPECT_EQ(box(TextBox::txtRealName)->text(), "Ab") << "typed up to the refused character";
}

TEST_F(MainWindowTest, ANegativeValueFromTheFileCanStillBeEditedAndUndone) {
  QLineEdit* runs = box(editor::txtStats(2));
  window.setText(editor::txtStats(2), "-12");
  runs->end(false);
  QTest::keyClick(runs, '3');
  EXPECT_EQ(runs->text(), "-123");
  runs->home(false);
  QTest::keyClick(runs, Qt::Key_Delete);
  EXPECT_EQ(runs->text(), "123");
  QTest::keyClick(runs, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(runs->text(), "-123") << "undo brings back what the box held";
  QGuiApplication::clipboard()->setText("-");
  runs->home(false);
  QTest::keyClick(runs, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(runs->text(), "-123");
}

TEST_F(MainWindowTest, ValuesFromTheEditorAreNotCutByBoxLimits) {
  QLineEdit* ability = box(editor::txtBat(0));
  window.setText(editor::txtBat(0), "150");
  window.setText(editor::txtStats(0), "1000");
  EXPECT_EQ(ability->text(), "150");
  EXPECT_EQ(box(editor::txtStats(0))->text(), "1000");

  // The box holds what it was given, but typing still cannot make it longer.
  ability->end(false);
  QTest::keyClick(ability, '7');
  EXPECT_EQ(ability->text(), "150");
  // Once the user shortens it, the limit is the box's own again.
  QTest::keyClick(ability, Qt::Key_Backspace);
  QTest::keyClick(ability, '9');
  EXPECT_EQ(ability->text(), "15");
  // A shorter value set afterwards brings the limit back as well.
  window.setText(editor::txtBat(0), "150");
  window.setText(editor::txtBat(0), "7");
  ability->end(false);
  QTest::keyClicks(ability, "12");
  EXPECT_EQ(ability->text(), "71");
}

TEST_F(MainWindowTest, StoredValuesBeyondTheControlsAreShownAndSavedUnchanged) {
  changeFilePlayer(1, 1, [](db::PlayerRecord& player) {
    player.battingAbilities[0] = 150;
    player.matchesODI = 1000;
    player.role = 7;  // no such item
  });
  // Picking the team again reloads it from the file.
  auto* teams = control<QComboBox>("cboTeams");
  emit teams->activated(teams->currentIndex());
  EXPECT_EQ(box(editor::txtBat(0))->text(), "150");
  EXPECT_EQ(box(editor::txtStats(0))->text(), "1000");
  EXPECT_EQ(control<QComboBox>("cboRole")->currentIndex(), -1);

  prompts.answers = {editor::Answer::Yes};
  control<QAction>("mnuSave")->trigger();
  const db::PlayerRecord saved = filePlayer(1, 1);
  EXPECT_EQ(saved.battingAbilities[0], 150);
  EXPECT_EQ(saved.matchesODI, 1000);
  EXPECT_EQ(saved.role, 7);
}

TEST_F(MainWindowTest, FilledListsSelectNothingUntilTold) {
  window.setItems(ListControl::cboHat, {"A", "B"});
  EXPECT_EQ(window.selectedIndex(ListControl::cboHat), -1);
  window.setSelectedIndex(ListControl::cboHat, 1);
  EXPECT_EQ(window.selectedIndex(ListControl::cboHat), 1);
  window.setSelectedIndex(ListControl::cboHat, 2);
  EXPECT_EQ(window.selectedIndex(ListControl::cboHat), -1);
  window.setSelectedIndex(ListControl::lstPlayers, 99);
  EXPECT_EQ(window.selectedIndex(ListControl::lstPlayers), -1);
}

TEST_F(MainWindowTest, TypingRedrawsTheBarAtOnce) {
  QLineEdit* ability = box(editor::txtBat(0));
  ability->selectAll();
  QTest::keyClicks(ability, "95");
  EXPECT_EQ(barColour(0), QColor(255, 80, 80));
  EXPECT_EQ(ability->width(), pixels(95 * 14.45 + 280));

  QTest::keyClick(ability, Qt::Key_Backspace);  // 9
  EXPECT_EQ(barColour(0), QColor(230, 250, 255));
  EXPECT_EQ(ability->width(), pixels(9 * 14.45 + 280));
  QTest::keyClick(ability, Qt::Key_Backspace);  // empty: the 0 bar
  EXPECT_EQ(ability->width(), pixels(280));

  EXPECT_EQ(control("box(0)")->width(), pixels(1695));
}

TEST_F(MainWindowTest, ShowingThePlayerAgainLeavesTheBarsUntouched) {
  // Bars are repainted only when their colour or width changes.
  struct Counter : QObject {
    int changes = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::PaletteChange || event->type() == QEvent::Resize) ++changes;
      return false;
    }
  } counter;
  for (int row = 0; row < editor::kAbilityRowCount; ++row) {
    box(editor::abilityBox(row))->installEventFilter(&counter);
  }
  editor.DisplayPlayer(1);
  EXPECT_EQ(counter.changes, 0);
}

TEST_F(MainWindowTest, CtrlSAnywhereInTheWindowAsksToSave) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  for (QWidget* target :
       {static_cast<QWidget*>(box(TextBox::txtRealName)), control("lstPlayers")}) {
    target->setFocus();
    prompts.answers = {editor::Answer::No};
    prompts.questions.clear();
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"Save current player?"})
        << target->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, SaveWritesWhatWasTyped) {
  QLineEdit* name = box(TextBox::txtRealName);
  name->selectAll();
  QTest::keyClicks(name, "Zed Newname");
  prompts.answers = {editor::Answer::Yes};
  control<QAction>("mnuSave")->trigger();
  const db::PlayerRecord saved = filePlayer(1, 1);
  EXPECT_EQ(std::string(saved.realName.begin(), saved.realName.begin() + 11), "Zed Newname");
  EXPECT_EQ(saved.realName[11], 0);
}

TEST_F(MainWindowTest, PickingAPlayerShowsItAndARefusedStoreKeepsTheSelection) {
  auto* players = control<QListWidget>("lstPlayers");
  players->setCurrentRow(1);
  EXPECT_EQ(box(TextBox::txtRealName)->text(), players->item(1)->text());
  EXPECT_EQ(editor.currentPlayer(), 2);

  // Runs beyond what the file's 16 bits hold cannot be stored: the switch is refused.
  QLineEdit* runs = box(editor::txtStats(2));
  runs->selectAll();
  QTest::keyClicks(runs, "99999");
  players->setCurrentRow(3);
  EXPECT_EQ(prompts.messages.size(), 1U);
  EXPECT_EQ(players->currentRow(), 1);
  EXPECT_EQ(editor.currentPlayer(), 2);
  EXPECT_EQ(runs->text(), "99999");
}

TEST_F(MainWindowTest, PickingATeamLoadsIt) {
  auto* teams = control<QComboBox>("cboTeams");
  QTest::keyClick(teams, Qt::Key_Down);
  EXPECT_EQ(teams->currentIndex(), 1);
  EXPECT_EQ(editor.loadedTeam(), 2);
  auto* players = control<QListWidget>("lstPlayers");
  EXPECT_EQ(players->currentRow(), 0);
  EXPECT_EQ(box(TextBox::txtRealName)->text(), players->item(0)->text());
}

TEST_F(MainWindowTest, BrowsingEveryPlayerOfEveryTeamMarksNoEdit) {
  auto* teams = control<QComboBox>("cboTeams");
  auto* players = control<QListWidget>("lstPlayers");
  for (int team = 0; team < teams->count(); ++team) {
    teams->setCurrentIndex(team);
    emit teams->activated(team);
    for (int row = 0; row < players->count(); ++row) {
      players->setCurrentRow(row);
      EXPECT_FALSE(editor.hasUnsavedEdits()) << "team " << team + 1 << ", row " << row + 1;
      EXPECT_FALSE(window.isWindowModified()) << "team " << team + 1 << ", row " << row + 1;
    }
  }
  EXPECT_TRUE(prompts.questions.empty());

  // Ctrl+S and Yes store the player shown, though not edited, as designed: the sample's team 1
  // player 9 has a name padded with spaces, which becomes NUL, and only he changes.
  const std::vector<db::Byte> before = readFileBytes(databasePath);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  teams->setCurrentIndex(0);
  emit teams->activated(0);
  players->setCurrentRow(8);
  players->setFocus();
  QTest::keyClick(players, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(prompts.questions, std::vector<std::string>{"Save current player?"});
  std::vector<db::Byte> expected = before;
  putPlayer(expected, 1, 9, savedAsDesigned(playerAt(before, 1, 9)));
  ASSERT_NE(expected, before) << "the sample must hold a player a save tidies";
  EXPECT_EQ(readFileBytes(databasePath), expected);
  EXPECT_FALSE(window.isWindowModified());
}

TEST_F(MainWindowTest, TheFacePictureFollowsThePick) {
  auto* faces = control<QComboBox>("cboFace");
  auto* picture = control<QLabel>("img1");
  EXPECT_FALSE(picture->pixmap().isNull());
  const QImage before = picture->pixmap().toImage();
  faces->setCurrentIndex(faces->currentIndex() == 0 ? 1 : 0);
  emit faces->activated(faces->currentIndex());
  EXPECT_NE(picture->pixmap().toImage(), before);

  window.showPicture(dir.file("missing.jpg"));
  EXPECT_TRUE(picture->pixmap().isNull());
}

TEST_F(MainWindowTest, ClickingTheSiteLooksThePlayerUpOrSaysNoBrowserStarted) {
  QTest::mouseClick(control("lblCricInfo"), Qt::LeftButton);
  ASSERT_EQ(browser.addresses.size(), 1U);
  EXPECT_EQ(
      browser.addresses[0].rfind(
          "http://" + std::string(editor::kLookupHost) + "/ci/content/site/search.html?search=", 0),
      0U);
  EXPECT_TRUE(prompts.messages.empty());

  browser.opens = false;
  QTest::mouseClick(control("lblCricInfo"), Qt::LeftButton);
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_NE(prompts.messages[0].first.find(browser.addresses.back()), std::string::npos)
      << "the message shows the address to open by hand";
}

TEST_F(MainWindowTest, PlayerControlsCanBeDisabled) {
  window.setPlayerControlsEnabled(false);
  EXPECT_FALSE(box(editor::txtBat(0))->isEnabled());
  EXPECT_FALSE(control("cboFace")->isEnabled());
  EXPECT_TRUE(control("cboTeams")->isEnabled());
  window.setPlayerControlsEnabled(true);
  EXPECT_TRUE(box(TextBox::txtRealName)->isEnabled());
}

}  // namespace
}  // namespace zelbor::testing
