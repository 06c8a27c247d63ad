#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "modal_watcher.h"
#include "ui/batch_window.h"
#include "ui/file_verify_window.h"
#include "ui/lineup_window.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

using SecondaryWindowsTest = UiFixture;

std::vector<QString> lines(const QListWidget* list) {
  std::vector<QString> texts;
  for (int row = 0; row < list->count(); ++row) texts.push_back(list->item(row)->text());
  return texts;
}

TEST_F(SecondaryWindowsTest, FileVerifyWindowFollowsTheDesign) {
  ui::FileVerifyWindow hash(&window);
  EXPECT_EQ(hash.objectName(), "frmFileVerify");
  EXPECT_EQ(hash.windowTitle(), "File Version Authentication");
  EXPECT_EQ(hash.size(), pixelRect({0, 0, 7005, 2430}).size());
  EXPECT_EQ(hash.minimumSize(), hash.maximumSize());
  expectLayout(&hash, {
                          {"Label1", "File Authentication String", {120, 240, 6735, 495}},
                          {"txtHash", "", {120, 840, 6735, 615}},
                          {"cmdOK", "OK", {2520, 1680, 1935, 495}},
                      });
  for (const char* name : {"Label1", "txtHash"}) {
    const auto* text = hash.findChild<QWidget*>(name);
    EXPECT_DOUBLE_EQ(text->font().pointSizeF(), 20.25) << name;
  }
  EXPECT_TRUE(hash.findChild<QLineEdit*>("txtHash")->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(hash.focusWidget(), hash.findChild<QPushButton*>("cmdOK"));
  EXPECT_EQ(tabOrder(hash.findChild<QWidget*>("cmdOK"), 2),
            (std::vector<std::string>{"cmdOK", "txtHash"}));
}

TEST_F(SecondaryWindowsTest, SecondaryWindowsUseTheMainWindowsFont) {
  ui::FileVerifyWindow hash(&window);
  ui::LineupWindow lineups(QStringLiteral("Team"), {}, &window);
  ui::BatchWindow batch(editor, QStringLiteral("Team"), &window);
  for (const QWidget* shown : std::initializer_list<const QWidget*>{&hash, &lineups, &batch}) {
    EXPECT_EQ(shown->font(), window.font()) << shown->objectName().toStdString();
  }
}

TEST_F(SecondaryWindowsTest, GetFileHashShowsTheStringUntilOk) {
  QString shown;
  bool modalOverTheMainWindow = false;
  const ModalWatcher watcher("frmFileVerify", [&](QWidget* hash) {
    shown = hash->findChild<QLineEdit*>("txtHash")->text();
    modalOverTheMainWindow = hash->isModal() && hash->parentWidget() == &window;
    hash->findChild<QPushButton*>("cmdOK")->click();
  });
  control<QAction>("mnuFileHash")->trigger();
  ASSERT_EQ(watcher.runs(), 1);
  EXPECT_TRUE(modalOverTheMainWindow);
  // Three upper-case hexadecimal totals.
  EXPECT_TRUE(QRegularExpression("^[0-9A-F]+-[0-9A-F]+-[0-9A-F]+$").match(shown).hasMatch())
      << shown.toStdString();
}

TEST_F(SecondaryWindowsTest, LineupWindowListsTheLinesAsGiven) {
  editor::LineupLines given;
  given[0] = {"Zed", "", "Abe"};
  given[1] = {"Cy"};
  given[3] = {"", ""};
  ui::LineupWindow lineups("Harbour Gulls", given, &window);
  EXPECT_EQ(lineups.objectName(), "frmLineup");
  EXPECT_EQ(lineups.windowTitle(), "Team Lineups - Harbour Gulls");
  EXPECT_EQ(lineups.size(), pixelRect({0, 0, 9255, 3870}).size());
  expectLayout(&lineups, {
                             {"Label1(0)", "World Cup", {120, 240, 2175, 255}},
                             {"Label1(1)", "Champions Trophy", {2400, 240, 2175, 255}},
                             {"Label1(2)", "One Day International", {4680, 240, 2175, 255}},
                             {"Label1(3)", "Test Match", {6960, 240, 2175, 255}},
                             {"lstWC", "", {120, 480, 2175, 3180}},
                             {"lstTest", "", {6960, 480, 2175, 3180}},
                         });
  EXPECT_EQ(lines(lineups.findChild<QListWidget*>("lstWC")),
            (std::vector<QString>{"Zed", "", "Abe"}));
  EXPECT_EQ(lines(lineups.findChild<QListWidget*>("lstCT")), std::vector<QString>{"Cy"});
  EXPECT_TRUE(lines(lineups.findChild<QListWidget*>("lstODI")).empty());
  EXPECT_EQ(lines(lineups.findChild<QListWidget*>("lstTest")).size(), 2U);
  EXPECT_EQ(tabOrder(lineups.findChild<QWidget*>("lstWC"), 4),
            (std::vector<std::string>{"lstWC", "lstCT", "lstODI", "lstTest"}));
}

TEST_F(SecondaryWindowsTest, LineupsShowTheCurrentTeamsFourLineupsUntilEscape) {
  std::vector<int> counts;
  bool nothingSelected = true;
  QString title;
  bool closedByEscape = false;
  const ModalWatcher watcher("frmLineup", [&](QWidget* lineups) {
    title = lineups->windowTitle();
    for (const char* name : {"lstWC", "lstCT", "lstODI", "lstTest"}) {
      const auto* list = lineups->findChild<QListWidget*>(name);
      counts.push_back(list->count());
      nothingSelected = nothingSelected && list->selectedItems().isEmpty();
    }
    QTest::keyClick(lineups->findChild<QListWidget*>("lstWC"), Qt::Key_Escape);
    closedByEscape = !lineups->isVisible();
    if (!closedByEscape) lineups->close();
  });
  control<QAction>("mnuLineup")->trigger();
  ASSERT_EQ(watcher.runs(), 1);
  EXPECT_TRUE(closedByEscape);
  EXPECT_EQ(title, "Team Lineups - " + control<QComboBox>("cboTeams")->currentText());
  EXPECT_EQ(counts, (std::vector<int>{15, 14, 16, 16}));
  EXPECT_TRUE(nothingSelected);
}

}  // namespace
}  // namespace zelbor::testing
