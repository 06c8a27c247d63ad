#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "modal_watcher.h"
#include "support/temp_file.h"
#include "ui/backup_dialog.h"
#include "ui/main_window.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

// The main window with backups kept, in the test's state folder, as the application keeps them.
class RestoreWindowTest : public UiFixture {};

TEST_F(RestoreWindowTest, ApplyingTheNewestBackupAfterASaveGivesBackTheFileBeforeIt) {
  const std::vector<db::Byte> before = readFileBytes(databasePath);
  auto* name = control<QLineEdit>("txtRealName");
  const QString shownBefore = name->text();
  name->setFocus();
  name->selectAll();
  QTest::keyClick(name, Qt::Key_Backspace);
  QTest::keyClicks(name, "Saved Name");
  control<QAction>("mnuSave")->trigger();
  ASSERT_NE(readFileBytes(databasePath), before);

  int listed = 0;
  QStringList change;
  bool applyIsDefault = false;
  const ModalWatcher backups("frmBackups", [&](QWidget* dialog) {
    auto* table = dialog->findChild<QTreeWidget*>("table");
    listed = table->topLevelItemCount();
    table->setCurrentItem(table->topLevelItem(0));
    dialog->findChild<QPushButton*>("cmdOK")->click();
  });
  const ModalWatcher changes("frmRestoreChanges", [&](QWidget* dialog) {
    const QTreeWidgetItem* row = dialog->findChild<QTreeWidget*>("table")->topLevelItem(0);
    for (int column = 0; row != nullptr && column < row->columnCount(); ++column) {
      change << row->text(column);
    }
    auto* apply = dialog->findChild<QPushButton*>("cmdOK");
    applyIsDefault = apply->isDefault();
    apply->click();
  });
  control<QAction>("mnuRestore")->trigger();
  ASSERT_EQ(backups.runs(), 1);
  ASSERT_EQ(changes.runs(), 1);
  EXPECT_EQ(listed, 1);
  ASSERT_EQ(change.size(), 5);
  EXPECT_EQ(change[1], "1 (Saved Name)");
  EXPECT_EQ(change[2], "Name");
  EXPECT_EQ(change[3], "Saved Name");
  EXPECT_EQ(change[4], shownBefore);
  EXPECT_TRUE(applyIsDefault);
  EXPECT_EQ(readFileBytes(databasePath), before);
  EXPECT_EQ(name->text(), shownBefore) << "the window shows the file as it is now";
}

// The Enter that opened the windows is held: its repeats neither pick the backup nor apply it.
TEST_F(RestoreWindowTest, AHeldEnterNeitherChoosesNorAppliesABackup) {
  auto* name = control<QLineEdit>("txtRealName");
  name->setFocus();
  name->selectAll();
  QTest::keyClicks(name, "Saved Name");
  control<QAction>("mnuSave")->trigger();
  const std::vector<db::Byte> saved = readFileBytes(databasePath);

  bool listOpenAfterRepeats = false;
  bool changesOpenAfterRepeats = false;
  const ModalWatcher backups("frmBackups", [&](QWidget* dialog) {
    auto* table = dialog->findChild<QTreeWidget*>("table");
    table->setCurrentItem(table->topLevelItem(0));
    for (int repeat = 0; repeat < 5; ++repeat) sendHeldKey(dialog, Qt::Key_Return);
    listOpenAfterRepeats = dialog->isVisible();
    // The user presses Enter anew, and holds it.
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  const ModalWatcher changes("frmRestoreChanges", [&](QWidget* dialog) {
    for (int repeat = 0; repeat < 5; ++repeat) sendHeldKey(dialog, Qt::Key_Return);
    changesOpenAfterRepeats = dialog->isVisible();
    dialog->findChild<QPushButton*>("cmdCancel")->click();
  });
  control<QAction>("mnuRestore")->trigger();
  ASSERT_EQ(backups.runs(), 1);
  ASSERT_EQ(changes.runs(), 1);
  EXPECT_TRUE(listOpenAfterRepeats);
  EXPECT_TRUE(changesOpenAfterRepeats);
  EXPECT_EQ(readFileBytes(databasePath), saved);
}

TEST_F(RestoreWindowTest, ABackupWithNothingToRestoreOffersOnlyCancel) {
  bool applyEnabled = true;
  bool cancelIsDefault = false;
  const ModalWatcher changes("frmRestoreChanges", [&](QWidget* dialog) {
    applyEnabled = dialog->findChild<QPushButton*>("cmdOK")->isEnabled();
    auto* cancel = dialog->findChild<QPushButton*>("cmdCancel");
    cancelIsDefault = cancel->isDefault();
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  ui::BackupDialog dialog(&window);
  EXPECT_FALSE(dialog.confirmRestore({"2026-12-10 16:17:05 UTC", "save", 0}, {}));
  ASSERT_EQ(changes.runs(), 1);
  EXPECT_FALSE(applyEnabled);
  EXPECT_TRUE(cancelIsDefault);
}

}  // namespace
}  // namespace zelbor::testing
