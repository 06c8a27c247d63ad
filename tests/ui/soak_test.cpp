// Random use of the window on the sample, for as long as asked: menu commands, keys, pastes, team
// and player changes, every dialog and message box answered at random, and the file changed by
// another program in between. Run under AddressSanitizer it finds memory faults that only some
// order of events shows; the file must keep its length and stay readable throughout.
//   ZELBOR_SOAK_STEPS  how many actions (a short run by default)
//   ZELBOR_SOAK_SEED   the seed of a run to replay (printed on failure)
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "db/layout.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

int environmentNumber(const char* name, int otherwise) {
  const QByteArray value = qgetenv(name);
  bool ok = false;
  const int number = value.toInt(&ok);
  return ok ? number : otherwise;
}

// Answers every modal window as it opens, as a user clicking about would: one of its buttons,
// Escape, or for the file dialogs a file of the test's folder. A window still open after a few
// tries is closed, so that no step waits for ever.
class RandomAnswerer final : public QObject {
 public:
  RandomAnswerer(std::mt19937& random, std::string importFile, std::string exportFile)
      : random_(random), importFile_(std::move(importFile)), exportFile_(std::move(exportFile)) {
    qApp->installEventFilter(this);
  }
  ~RandomAnswerer() override { qApp->removeEventFilter(this); }

  int answered() const { return answered_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && window != nullptr && window->isWindow() &&
        window->isModal()) {
      QTimer::singleShot(0, this, [this, shown = QPointer<QWidget>(window)] { answer(shown, 0); });
    }
    return false;
  }

 private:
  void answer(const QPointer<QWidget>& window, int tries) {
    if (window == nullptr || !window->isVisible()) return;
    // Only the window on top takes input; the ones under it wait for it to close.
    if (QApplication::activeModalWidget() != window) {
      QTimer::singleShot(1, this, [this, window, tries] { answer(window, tries); });
      return;
    }
    ++answered_;
    auto* files = qobject_cast<QFileDialog*>(window.data());
    const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    if (files != nullptr && tries < 3) {
      // Accepting an existing export file asks whether to replace it, which may keep it open.
      const bool exporting = files->acceptMode() == QFileDialog::AcceptSave;
      if (random_() % 2 == 0) {
        files->selectFile(QString::fromStdString(exporting ? exportFile_ : importFile_));
        static_cast<QDialog*>(files)->accept();
      } else {
        files->reject();
      }
    } else if (tries < 3 && !buttons.isEmpty() && random_() % 4 != 0) {
      QPushButton* button = buttons[static_cast<qsizetype>(random_() % buttons.size())];
      if (button->isEnabled() && button->isVisible()) button->click();
    } else if (tries < 3) {
      QTest::keyClick(window, Qt::Key_Escape);
    } else {
      window->close();
    }
    QTimer::singleShot(0, this, [this, window, tries] { answer(window, tries + 1); });
  }

  std::mt19937& random_;
  std::string importFile_;
  std::string exportFile_;
  int answered_ = 0;
};

// Another program writes `value` over a byte of a player's record in the file.
void changeUnderneath(const std::string& path, int team, int slot, int offset, char value) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(db::slotStart(team, slot)) + offset);
  file.put(value);
}

const char* const kPastes[] = {"12",
                               "-50",
                               "Al Brown",
                               "Al\tBrown",
                               "Al\nBrown",
                               "\u00e9",
                               "\U0001F600",
                               "12/03/1975",
                               " 75 ",
                               "4.5",
                               "",
                               "999999",
                               "Abcdefghijklmnopqrstuvwxyz0123456789Abcde"};

const Qt::Key kTypedKeys[] = {Qt::Key_A,     Qt::Key_7,      Qt::Key_Backspace, Qt::Key_Delete,
                              Qt::Key_Space, Qt::Key_Period, Qt::Key_Slash,     Qt::Key_Home,
                              Qt::Key_End,   Qt::Key_Tab,    Qt::Key_Return,    Qt::Key_Escape};

class SoakTest : public UiFixture {
 public:
  SoakTest() : UiFixture(true) {}
};

TEST_F(SoakTest, RandomUseNeitherCrashesNorChangesTheFilesLength) {
  const int steps = environmentNumber("ZELBOR_SOAK_STEPS", 150);
  const auto seed = static_cast<unsigned>(
      environmentNumber("ZELBOR_SOAK_SEED", static_cast<int>(std::random_device()() & 0x7FFFFFFF)));
  // Printed first: a crash ends the run before any failure message.
  std::fprintf(stderr, "Soak run: ZELBOR_SOAK_SEED=%u ZELBOR_SOAK_STEPS=%d\n", seed, steps);
  std::mt19937 random(seed);
  const auto pick = [&](auto count) { return static_cast<int>(random() % count); };
  const std::uintmax_t length = std::filesystem::file_size(databasePath);

  const std::string importFile = dir.file("soak.csv");
  std::ofstream(importFile) << "team,slot,realName,battingAbilities[0]\n1,2,Soak Name,77\n";
  RandomAnswerer answerer(random, importFile, dir.file("soak-export.csv"));
  fileDialog.answer = databasePath;
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  QList<QAction*> commands;
  for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
    if (!action->objectName().isEmpty() && action->objectName() != "mnuQuit" &&
        action->menu() == nullptr) {
      commands.append(action);
    }
  }
  ASSERT_FALSE(commands.isEmpty());
  auto* teams = control<QComboBox>("cboTeams");
  auto* players = control<QListWidget>("lstPlayers");

  for (int step = 0; step < steps; ++step) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
    const auto box = this->box(static_cast<editor::TextBox>(pick(editor::kTextBoxCount)));
    switch (pick(8)) {
      case 0:
        commands[pick(commands.size())]->trigger();
        break;
      case 1:
      case 2:
        box->setFocus();
        for (int typed = pick(6) + 1; typed > 0; --typed) {
          QTest::keyClick(box, kTypedKeys[pick(std::size(kTypedKeys))],
                          pick(8) == 0 ? Qt::ControlModifier : Qt::NoModifier);
        }
        break;
      case 3:
        QGuiApplication::clipboard()->setText(QString::fromUtf8(kPastes[pick(std::size(kPastes))]));
        box->setFocus();
        if (pick(2) == 0) box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        break;
      case 4:
        teams->setFocus();
        QTest::keyClick(teams, pick(2) == 0 ? Qt::Key_Down : Qt::Key_Up);
        break;
      case 5:
        players->setFocus();
        if (players->count() > 0) players->setCurrentRow(pick(players->count()));
        break;
      case 6:
        changeUnderneath(databasePath, pick(db::kTeamCount) + 1, pick(4) + 1, pick(db::kRecordSize),
                         static_cast<char>(pick(256)));
        break;
      case 7: {
        auto* list = control<QComboBox>(pick(2) == 0 ? "cboBowlAction" : "cboFace");
        list->setFocus();
        QTest::keyClick(list, pick(2) == 0 ? Qt::Key_Down : Qt::Key_Up);
        break;
      }
    }
    ASSERT_TRUE(window.isVisible());
    ASSERT_EQ(QApplication::activeModalWidget(), nullptr) << "a window was left open";
    ASSERT_EQ(std::filesystem::file_size(databasePath), length);
    if (HasFatalFailure()) return;
  }
  // The file still reads, team by team.
  for (int team = 1; team <= teams->count(); ++team) filePlayer(team, 1);
  EXPECT_GT(answerer.answered(), 0);
}

}  // namespace
}  // namespace zelbor::testing
