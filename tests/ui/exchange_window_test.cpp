// The window's Open, Find, Export, Import and Compare played as a user: menus, typed paths in the
// file dialogs, keys in the find window, buttons of the preview. Whole files compared byte for
// byte.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "db/text_codec.h"
#include "modal_watcher.h"
#include "support/process.h"
#include "support/temp_file.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

using editor::SaveChoice;

// What the import preview offered.
struct Preview {
  int shown = 0;
  std::vector<QStringList> rows;
  bool applyEnabled = false;
  bool applyIsDefault = false;
};

class ExchangeWindowTest : public UiFixture {
 public:
  // Types `path` into the file dialog named `name`, and Enter, when the menu item opens it.
  void typePath(const char* item, const char* name, const std::string& path) {
    const std::unique_ptr<ModalWatcher> dialog = pathTyper(name, path);
    control<QAction>(item)->trigger();
    EXPECT_EQ(dialog->runs(), 1) << name;
  }

  // Types `path` into the file dialog named `name`, and Enter, once it opens.
  static std::unique_ptr<ModalWatcher> pathTyper(const char* name, const std::string& path) {
    return std::make_unique<ModalWatcher>(name, [path](QWidget* window) {
      auto* edit = window->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(edit, nullptr);
      // Enter reaches the dialog's default button in the active window only.
      window->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(window));
      edit->setFocus();
      QTest::keyClicks(edit, QString::fromStdString(path));
      // The completion list that typing opens would take the Enter.
      if (edit->completer() != nullptr) edit->completer()->popup()->hide();
      QTest::keyClick(edit, Qt::Key_Return);
    });
  }

  // Imports `input` through the preview, pressing Enter there (Apply, when it is the default).
  Preview import(const std::string& input) {
    Preview preview;
    const ModalWatcher window("frmImportPreview", [&](QWidget* dialog) {
      ++preview.shown;
      const auto* table = dialog->findChild<QTreeWidget*>(QStringLiteral("table"));
      for (int row = 0; row < table->topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
          cells << table->topLevelItem(row)->text(column);
        }
        preview.rows.push_back(cells);
      }
      const auto* apply = dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"));
      preview.applyEnabled = apply->isEnabled();
      preview.applyIsDefault = apply->isDefault();
      QTest::keyClick(dialog, Qt::Key_Return);
    });
    typePath("mnuImport", "dlgImportFile", input);
    return preview;
  }

  std::string exportedTo(const char* name) {
    const std::string path = dir.file(name);
    typePath("mnuExport", "dlgExportFile", path);
    return path;
  }
};

TEST_F(ExchangeWindowTest, AnUneditedExportImportsAsNoChangeWithApplyDisabled) {
  const std::vector<db::Byte> before = readFileBytes(databasePath);
  for (const char* name : {"players.xlsx", "players.csv", "players.json"}) {
    SCOPED_TRACE(name);
    const std::string exported = exportedTo(name);
    ASSERT_TRUE(std::filesystem::exists(exported));
    const Preview preview = import(exported);
    ASSERT_EQ(preview.shown, 1);
    EXPECT_TRUE(preview.rows.empty());
    EXPECT_FALSE(preview.applyEnabled);
    EXPECT_EQ(readFileBytes(databasePath), before);
  }
  const std::vector<char> csv = [&] {
    std::ifstream in(dir.file("players.csv"), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
  }();
  ASSERT_GE(csv.size(), 3U);
  EXPECT_EQ(std::string(csv.data(), 3), "\xEF\xBB\xBF") << "CSV for spreadsheets starts with a BOM";
}

TEST_F(ExchangeWindowTest, AWorkbookWithOneCellEditedImportsThatChangeAsTheCommandLineDoes) {
  const std::string original = dir.file("original.bag");
  std::filesystem::copy_file(databasePath, original);
  const std::string workbook = exportedTo("edited.xlsx");
  // Player 2 of team 1 takes the first bowling style by its name, as a user picks it.
  const ProcessResult edited =
      runCommand("/usr/bin/python3 -c " +
                 shellQuoted("import openpyxl,sys; b=openpyxl.load_workbook(sys.argv[1]); "
                             "print(b['Lists']['A3'].value)") +
                 " " + shellQuoted(workbook) + " | { read -r style; /usr/bin/python3 " +
                 shellQuoted(ZELBOR_EDIT_CELL_SCRIPT) + " " + shellQuoted(workbook) +
                 " 3 bowlStyle \"$style\"; }");
  ASSERT_EQ(edited.exitCode, 0) << edited.output;

  const Preview preview = import(workbook);
  ASSERT_EQ(preview.rows.size(), 1U);
  EXPECT_EQ(preview.rows[0][1].toStdString(),
            "2 (" + db::decodeUpToNul(filePlayer(1, 2).realName) + ")");
  EXPECT_EQ(preview.rows[0][2], "Bowl Type");
  EXPECT_TRUE(preview.applyIsDefault);

  const ProcessResult command = runCommand(std::string(ZELBOR_DB_EXECUTABLE) + " import " +
                                           shellQuoted(original) + " " + shellQuoted(workbook));
  ASSERT_EQ(command.exitCode, 0) << command.output;
  EXPECT_EQ(readFileBytes(databasePath), readFileBytes(original));
  EXPECT_EQ(box(editor::TextBox::txtRealName)->text().toStdString(),
            db::decodeUpToNul(filePlayer(1, 1).realName));
}

TEST_F(ExchangeWindowTest, ARefusedCellBlocksApplyInTheCommandLinesWords) {
  const std::vector<db::Byte> before = readFileBytes(databasePath);
  const std::string input = dir.file("bad.csv");
  std::ofstream(input) << "team,slot,battingAbilities[0],battingAbilities[1]\n1,1,abc,7\n";
  const Preview preview = import(input);
  ASSERT_EQ(preview.rows.size(), 1U);
  EXPECT_EQ(preview.rows[0][0],
            "row 2, column battingAbilities[0], value \"abc\": the field takes a whole number "
            "from 0 to 255");
  EXPECT_FALSE(preview.applyEnabled);
  EXPECT_EQ(readFileBytes(databasePath), before);
}

TEST_F(ExchangeWindowTest, FindPicksAPlayerOfAnotherTeamAndASaveLandsOnHim) {
  const db::PlayerRecord wanted = filePlayer(5, 3);
  const std::string name = db::decodeUpToNul(wanted.realName);
  QString firstListed;
  const ModalWatcher find("frmFindPlayer", [&](QWidget* dialog) {
    auto* text = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
    // Typed in capitals: the search ignores case.
    QTest::keyClicks(text, QString::fromStdString(name).toUpper());
    const auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstMatches"));
    firstListed = list->currentItem() != nullptr ? list->currentItem()->text() : QString();
    QTest::keyClick(text, Qt::Key_Return);
  });
  // The shortcut works in the active window, from whichever box has the focus.
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(box(editor::TextBox::txtRealName), Qt::Key_F, Qt::ControlModifier);
  ASSERT_EQ(find.runs(), 1);
  EXPECT_TRUE(firstListed.startsWith(QString::fromStdString(name))) << firstListed.toStdString();
  EXPECT_EQ(editor.loadedTeam(), 5);
  EXPECT_EQ(editor.currentPlayer(), 3);

  auto* box = this->box(editor::TextBox::txtRealName);
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, "Found Player");
  control<QAction>("mnuSave")->trigger();
  EXPECT_EQ(db::decodeUpToNul(filePlayer(5, 3).realName), "Found Player");
}

// The Enter that chose the file is held: its repeats reach the preview, which stays open.
TEST_F(ExchangeWindowTest, AHeldEnterNeitherAppliesTheImportNorClosesThePreview) {
  const std::vector<db::Byte> before = readFileBytes(databasePath);
  const std::string input = dir.file("rename.csv");
  std::ofstream(input) << "team,slot,realName\n1,1,Held Enter\n";
  bool applyEnabled = false;
  bool openAfterRepeats = false;
  const ModalWatcher preview("frmImportPreview", [&](QWidget* dialog) {
    applyEnabled = dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isEnabled();
    for (int repeat = 0; repeat < 5; ++repeat) sendHeldKey(dialog, Qt::Key_Return);
    openAfterRepeats = dialog->isVisible();
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  typePath("mnuImport", "dlgImportFile", input);
  ASSERT_EQ(preview.runs(), 1);
  EXPECT_TRUE(applyEnabled);
  EXPECT_TRUE(openAfterRepeats);
  EXPECT_TRUE(prompts.messages.empty()) << "no report of an import";
  EXPECT_EQ(readFileBytes(databasePath), before);
}

// A text box claiming the keys of its desktop's editing bindings, as it does on X11, KDE and
// GNOME (Ctrl+E moves to the line's end there); the offscreen platform has no such bindings.
class DesktopEditingKeys final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // Ctrl itself comes here too, as a key beyond any character.
    if (key.modifiers() == Qt::ControlModifier && key.key() >= Qt::Key_A &&
        key.key() <= Qt::Key_Z && QStringLiteral("AEFIOS").contains(QChar(key.key())))
      event->accept();
    return false;
  }
};

TEST_F(ExchangeWindowTest, EveryMenuShortcutWorksWhicheverControlHasTheFocus) {
  DesktopEditingKeys desktop;
  for (QLineEdit* box : window.findChildren<QLineEdit*>()) box->installEventFilter(&desktop);
  window.show();
  // Shortcuts work in the active window, which the closed dialog gives back the activation to.
  const auto activate = [&] {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  };
  const std::vector<std::string> focused = {editor::designName(editor::TextBox::txtRealName),
                                            editor::designName(editor::TextBox::txtDOB),
                                            editor::designName(editor::txtBat(0)),
                                            editor::designName(editor::TextBox::txtBestBatODI),
                                            "lstPlayers",
                                            "cboTeams",
                                            "cboBowlAction"};
  const struct {
    Qt::Key key;
    const char* opened;  // the window the shortcut opens
  } shortcuts[] = {
      {Qt::Key_E, "dlgExportFile"}, {Qt::Key_I, "dlgImportFile"}, {Qt::Key_F, "frmFindPlayer"}};
  for (const std::string& name : focused) {
    auto* target = control(name);
    ASSERT_NE(target, nullptr);
    for (const auto& shortcut : shortcuts) {
      ASSERT_TRUE(activate());
      target->setFocus();
      const ModalWatcher opened(shortcut.opened, [](QWidget* shown) { shown->close(); });
      QTest::keyClick(target, shortcut.key, Qt::ControlModifier);
      EXPECT_EQ(opened.runs(), 1) << name << " " << shortcut.opened;
    }
    const int shown = fileDialog.shown;
    ASSERT_TRUE(activate());
    target->setFocus();
    QTest::keyClick(target, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(fileDialog.shown, shown + 1) << name << " Open";
  }
  EXPECT_TRUE(prompts.questions.empty());
}

// A file shorter than a database was compared beyond its end (found by the soak test).
TEST_F(ExchangeWindowTest, CompareRefusesAFileTooShortToBeADatabase) {
  const std::string shortFile = dir.file("players.csv");
  std::ofstream(shortFile) << "team,slot,realName\n1,1,Al\n";
  const ModalWatcher differences("frmDifferences", [](QWidget* shown) { shown->close(); });
  typePath("mnuCompare", "dlgCompareFile", shortFile);
  EXPECT_EQ(differences.runs(), 0);
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_EQ(
      prompts.messages[0].first,
      "\"" + shortFile + "\" is 26 bytes long; a player database needs at least 358134 bytes.");
}

TEST_F(ExchangeWindowTest, OpenWithUnsavedEditsAsksFirst) {
  const std::string other = dir.file("other.bag");
  std::filesystem::copy_file(databasePath, other);
  QTest::keyClicks(box(editor::TextBox::txtRealName), "x");
  fileDialog.answer = other;

  prompts.saveChoices = {SaveChoice::Cancel};
  control<QAction>("mnuOpen")->trigger();
  EXPECT_EQ(prompts.questions.size(), 1U);
  EXPECT_EQ(fileDialog.shown, 0);
  EXPECT_FALSE(window.windowTitle().contains("other.bag"));

  prompts.saveChoices = {SaveChoice::Discard};
  control<QAction>("mnuOpen")->trigger();
  EXPECT_EQ(prompts.questions.size(), 2U);
  EXPECT_EQ(fileDialog.shown, 1);
  EXPECT_TRUE(window.windowTitle().contains("other.bag"));
  EXPECT_EQ(readFileBytes(databasePath), readFileBytes(other)) << "the discarded edit is not saved";
}

// The comparison's table in the main window's words and font, its columns as wide as their
// headers and cells, and the patch saved where the message says.
TEST_F(ExchangeWindowTest, TheComparisonSpeaksTheWindowsLanguage) {
  changeFilePlayer(1, 2, [](db::PlayerRecord& player) {
    const std::string padded = "Padded Name" + std::string(21, ' ');
    std::copy(padded.begin(), padded.end(), player.realName.begin());
    player.kit1 = 1;
  });
  const std::string other = dir.file("other.bag");
  std::filesystem::copy_file(databasePath, other);
  changeFilePlayer(1, 2, [](db::PlayerRecord& player) {
    player.battingAbilities[0] = 61;
    player.kit1 = 250;
  });
  changeFilePlayer(2, 1, [](db::PlayerRecord& player) { player.bowlStyle = 0; });

  std::vector<QStringList> rows;
  QStringList headers;
  bool columnsFit = true;
  QFont font;
  const std::string patch = dir.file("changes.json");
  const std::unique_ptr<ModalWatcher> patchPath = pathTyper("dlgPatchFile", patch);
  const ModalWatcher differences("frmDifferences", [&](QWidget* dialog) {
    font = dialog->font();
    auto* table = dialog->findChild<QTreeWidget*>(QStringLiteral("table"));
    const QFontMetrics headerText(table->header()->font());
    const QFontMetrics cellText(table->font());
    for (int column = 0; column < table->columnCount(); ++column) {
      const QString header = table->headerItem()->text(column);
      headers << header;
      columnsFit = columnsFit && table->header()->sectionSize(column) >=
                                     headerText.horizontalAdvance(header);
    }
    for (int row = 0; row < table->topLevelItemCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < table->columnCount(); ++column) {
        cells << table->topLevelItem(row)->text(column);
        columnsFit = columnsFit && table->columnWidth(column) >=
                                       cellText.horizontalAdvance(cells.back());
      }
      rows.push_back(cells);
    }
    dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
  });
  typePath("mnuCompare", "dlgCompareFile", other);
  ASSERT_EQ(differences.runs(), 1);
  EXPECT_EQ(headers, (QStringList{"Team", "Player", "Field", "This file", "Compared"}));
  EXPECT_TRUE(columnsFit);
  EXPECT_EQ(font, window.font()) << "the main window's font";
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_TRUE(rows[0][0].startsWith("1 (")) << rows[0][0].toStdString();
  EXPECT_EQ(rows[0].mid(1, 3), (QStringList{"2 (Padded Name)", "Kit 1", "250"}));
  EXPECT_EQ(rows[1].mid(0, 4), (QStringList{"", "2 (Padded Name)", "Timing", "61"}))
      << "the team is named once";
  EXPECT_TRUE(rows[2][0].startsWith("2 (")) << rows[2][0].toStdString();
  EXPECT_EQ(rows[2][2], "Bowl Type");
  for (const QStringList& row : rows) {
    EXPECT_NE(row[2], "kit1");
    EXPECT_FALSE(row[3].isEmpty() || row[4].isEmpty());
  }
  // A list value with an item shows its text, not its number.
  EXPECT_NE(rows[0][4], "1");

  EXPECT_EQ(patchPath->runs(), 1);
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_EQ(prompts.messages[0].first,
            "The 3 differences were saved as a patch to \"" + patch + "\".");
  EXPECT_TRUE(std::filesystem::exists(patch));
}

// Each file dialog shows its types' patterns and offers every file besides.
TEST_F(ExchangeWindowTest, FileDialogsShowTheirPatternsAndAllFiles) {
  const struct {
    const char* item;
    const char* dialog;
    QString first;
  } cases[] = {
      {"mnuCompare", "dlgCompareFile", "Zelbor Player Database (*TeamAndPlayerInfo.bag)"},
      {"mnuExport", "dlgExportFile", "Excel workbook (*.xlsx)"},
      {"mnuImport", "dlgImportFile", "Players' tables (*.xlsx *.csv *.json)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dialog);
    QStringList filters;
    const ModalWatcher watcher(c.dialog, [&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      ASSERT_NE(dialog, nullptr);
      filters = dialog->nameFilters();
      dialog->reject();
    });
    control<QAction>(c.item)->trigger();
    ASSERT_EQ(watcher.runs(), 1);
    ASSERT_GE(filters.size(), 2);
    EXPECT_EQ(filters.first(), c.first);
    EXPECT_EQ(filters.last(), "All files (*)");
  }
}

// Exporting onto the open database is refused before any question about replacing it.
TEST_F(ExchangeWindowTest, ExportOntoTheOpenDatabaseIsRefusedBeforeReplaceIsAsked) {
  const std::vector<db::Byte> before = readFileBytes(databasePath);
  const std::string link = dir.file("players.csv");
  std::filesystem::create_symlink(databasePath, link);
  typePath("mnuExport", "dlgExportFile", link);
  EXPECT_TRUE(prompts.questions.empty());
  ASSERT_EQ(prompts.messages.size(), 1U);
  EXPECT_NE(prompts.messages[0].first.find("\": it is the database \""), std::string::npos);
  EXPECT_EQ(readFileBytes(databasePath), before);
}

TEST_F(ExchangeWindowTest, FindWithNoMatchSaysSoAndPicksNothing) {
  QStringList entries;
  bool pickable = true;
  bool goEnabled = true;
  const ModalWatcher find("frmFindPlayer", [&](QWidget* dialog) {
    auto* text = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
    QTest::keyClicks(text, "zzqx");
    const auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstMatches"));
    for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
    pickable = list->count() > 0 && list->item(0)->flags() != Qt::NoItemFlags;
    goEnabled = dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isEnabled();
    QTest::keyClick(text, Qt::Key_Return);
    if (dialog->isVisible()) QTest::keyClick(text, Qt::Key_Escape);
  });
  control<QAction>("mnuFindPlayer")->trigger();
  ASSERT_EQ(find.runs(), 1);
  EXPECT_EQ(entries, QStringList{"No player's name contains \"zzqx\"."});
  EXPECT_FALSE(pickable);
  EXPECT_FALSE(goEnabled);
  EXPECT_EQ(editor.loadedTeam(), 1) << "nothing was picked";
  EXPECT_EQ(editor.currentPlayer(), 1);
}

}  // namespace
}  // namespace zelbor::testing
