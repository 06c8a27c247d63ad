#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "modal_watcher.h"
#include "support/temp_file.h"
#include "editor/messages.h"
#include "ui/database_file_dialog.h"
#include "ui/desktop_browser.h"
#include "ui/message_box_prompts.h"

namespace zelbor::testing {
namespace {

TEST(QtFileFilter, WritesEachDescriptionWithItsPatterns) {
  EXPECT_EQ(ui::qtFileFilter(editor::messages::databaseTypes()),
            "Zelbor Player Database (*TeamAndPlayerInfo.bag);;All files (*)");
  EXPECT_EQ(ui::qtFileFilter({{"Pictures", {"*.jpg", "*.png"}}}), "Pictures (*.jpg *.png)");
}

struct ShownBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::vector<QString> buttons;
  QString defaultButton;
  Qt::TextFormat format = Qt::AutoText;
};

// Shows what `ask` puts up, answering with the button whose text is `answer`.
ShownBox watchBox(const QString& answer, const std::function<void()>& ask) {
  ShownBox shown;
  const ModalWatcher watcher("", [&](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    shown = {box->windowTitle(), box->text(), box->icon(), {}, {}, box->textFormat()};
    for (QAbstractButton* button : box->buttons())
      shown.buttons.push_back(button->text().remove('&'));
    std::sort(shown.buttons.begin(), shown.buttons.end());
    if (box->defaultButton() != nullptr)
      shown.defaultButton = box->defaultButton()->text().remove('&');
    for (QAbstractButton* button : box->buttons()) {
      if (button->text().remove('&') == answer) button->click();
    }
  });
  ask();
  EXPECT_EQ(watcher.runs(), 1);
  return shown;
}

TEST(MessageBoxPrompts, AsksWithYesAndNoUnderTheProgramsTitle) {
  QWidget mainWindow;
  ui::MessageBoxPrompts prompts(&mainWindow);
  for (const auto& [button, answer] :
       {std::pair{"Yes", editor::Answer::Yes}, std::pair{"No", editor::Answer::No}}) {
    editor::Answer given{};
    const ShownBox shown =
        watchBox(button, [&] { given = prompts.askYesNo("Go on?\r\n\r\nReally <b>now</b>"); });
    EXPECT_EQ(given, answer);
    EXPECT_EQ(shown.title, "Zelbor Player Editor");
    EXPECT_EQ(shown.text, "Go on?\n\nReally <b>now</b>");
    EXPECT_EQ(shown.format, Qt::PlainText);
    EXPECT_EQ(shown.icon, QMessageBox::Question);
    EXPECT_EQ(shown.buttons, (std::vector<QString>{"No", "Yes"}));
    EXPECT_EQ(shown.defaultButton, "Yes");
  }
}

TEST(MessageBoxPrompts, TellsWithOneOkButtonAndTheIconAsked) {
  QWidget mainWindow;
  ui::MessageBoxPrompts prompts(&mainWindow);
  for (const auto& [icon, shownIcon] :
       {std::pair{editor::MessageIcon::None, QMessageBox::NoIcon},
        std::pair{editor::MessageIcon::Information, QMessageBox::Information},
        std::pair{editor::MessageIcon::Warning, QMessageBox::Warning}}) {
    const ShownBox shown = watchBox("OK", [&] { prompts.tell("Done", icon); });
    EXPECT_EQ(shown.title, "Zelbor Player Editor");
    EXPECT_EQ(shown.icon, shownIcon);
    EXPECT_EQ(shown.buttons, std::vector<QString>{"OK"});
  }
}

TEST(MessageBoxPrompts, OffersToReloadAChangedTeamOrToKeepTheEdits) {
  QWidget mainWindow;
  ui::MessageBoxPrompts prompts(&mainWindow);
  using editor::TeamChangedChoice;
  for (const auto& [button, choice] : {std::pair{"Reload Team", TeamChangedChoice::ReloadTeam},
                                       std::pair{"Merge", TeamChangedChoice::Merge},
                                       std::pair{"Keep Edits", TeamChangedChoice::KeepEdits}}) {
    TeamChangedChoice given{};
    const ShownBox shown =
        watchBox(button, [&] { given = prompts.askAboutChangedTeam("Team <1> changed\r\nso"); });
    EXPECT_EQ(given, choice);
    EXPECT_EQ(shown.title, "Zelbor Player Editor");
    EXPECT_EQ(shown.text, "Team <1> changed\nso");
    EXPECT_EQ(shown.format, Qt::PlainText);
    EXPECT_EQ(shown.icon, QMessageBox::Warning);
    EXPECT_EQ(shown.buttons, (std::vector<QString>{"Keep Edits", "Merge", "Reload Team"}));
    EXPECT_EQ(shown.defaultButton, "Keep Edits") << "dismissing it loses nothing";
  }
  const ModalWatcher escape("", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(prompts.askAboutChangedTeam("Changed"), TeamChangedChoice::KeepEdits);
  EXPECT_EQ(escape.runs(), 1);
}

TEST(MessageBoxPrompts, AsksSaveDiscardOrCancelWithEscapeCancelling) {
  QWidget mainWindow;
  ui::MessageBoxPrompts prompts(&mainWindow);
  using editor::SaveChoice;
  for (const auto& [button, choice] :
       {std::pair{"Save", SaveChoice::Save}, std::pair{"Discard", SaveChoice::Discard},
        std::pair{"Cancel", SaveChoice::Cancel}}) {
    SaveChoice given{};
    const ShownBox shown = watchBox(button, [&] { given = prompts.askSaveChanges("Save <x>?"); });
    EXPECT_EQ(given, choice);
    EXPECT_EQ(shown.text, "Save <x>?");
    EXPECT_EQ(shown.icon, QMessageBox::Warning);
    EXPECT_EQ(shown.buttons, (std::vector<QString>{"Cancel", "Discard", "Save"}));
    EXPECT_EQ(shown.defaultButton, "Save");
  }
  const ModalWatcher escape("", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(prompts.askSaveChanges("Save?"), SaveChoice::Cancel);
  EXPECT_EQ(escape.runs(), 1);
}

TEST(MessageBoxPrompts, AWarningQuestionDefaultsToNo) {
  QWidget mainWindow;
  ui::MessageBoxPrompts prompts(&mainWindow);
  editor::Answer given{};
  const ShownBox shown = watchBox("Yes", [&] { given = prompts.askYesNoDefaultNo("Hide?"); });
  EXPECT_EQ(given, editor::Answer::Yes);
  EXPECT_EQ(shown.icon, QMessageBox::Warning);
  EXPECT_EQ(shown.defaultButton, "No");
  const ModalWatcher enter("", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
  EXPECT_EQ(prompts.askYesNoDefaultNo("Hide?"), editor::Answer::No);
  EXPECT_EQ(enter.runs(), 1);
}

// Every question's answers carry Alt keys.
TEST(MessageBoxPrompts, AltKeysAnswer) {
  QWidget mainWindow;
  ui::MessageBoxPrompts prompts(&mainWindow);
  using editor::SaveChoice;
  using editor::TeamChangedChoice;
  const auto answerWith = [](Qt::Key key, const std::function<void()>& ask) {
    const ModalWatcher watcher("", [key](QWidget* box) {
      // Mnemonics work in the active window only.
      box->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(box));
      QTest::keyClick(box->focusWidget(), key, Qt::AltModifier);
      // The button clicks itself after a moment. A key without an answer leaves the box open; the
      // test then fails rather than hangs.
      const QPointer<QWidget> open(box);
      if (!QTest::qWaitFor([&] { return open == nullptr || !open->isVisible(); }, 2000)) {
        box->close();
      }
    });
    ask();
    EXPECT_EQ(watcher.runs(), 1);
  };
  for (const auto& [key, choice] :
       {std::pair{Qt::Key_S, SaveChoice::Save}, std::pair{Qt::Key_D, SaveChoice::Discard},
        std::pair{Qt::Key_C, SaveChoice::Cancel}}) {
    SaveChoice given = key == Qt::Key_C ? SaveChoice::Save : SaveChoice::Cancel;
    answerWith(key, [&] { given = prompts.askSaveChanges("Save?"); });
    EXPECT_EQ(given, choice) << QKeySequence(key).toString().toStdString();
  }
  for (const auto& [key, choice] : {std::pair{Qt::Key_R, TeamChangedChoice::ReloadTeam},
                                    std::pair{Qt::Key_M, TeamChangedChoice::Merge}}) {
    TeamChangedChoice given = TeamChangedChoice::KeepEdits;
    answerWith(key, [&] { given = prompts.askAboutChangedTeam("Changed"); });
    EXPECT_EQ(given, choice) << QKeySequence(key).toString().toStdString();
  }
  editor::Answer given = editor::Answer::Yes;
  answerWith(Qt::Key_N, [&] { given = prompts.askYesNo("Go on?"); });
  EXPECT_EQ(given, editor::Answer::No);
}

// Holding Down in the team list opens the question; the key keeps repeating into it.
TEST(MessageBoxPrompts, KeysHeldBeforeTheQuestionNeitherMoveItsFocusNorAnswer) {
  QWidget mainWindow;
  ui::MessageBoxPrompts prompts(&mainWindow);
  QString focusedAfterRepeats;
  bool openAfterRepeats = false;
  const ModalWatcher held("", [&](QWidget* box) {
    for (int repeat = 0; repeat < 4; ++repeat) sendHeldKey(box, Qt::Key_Down);
    sendHeldKey(box, Qt::Key_Return);
    focusedAfterRepeats = qobject_cast<QPushButton*>(box->focusWidget())->text().remove('&');
    openAfterRepeats = box->isVisible();
    // A key pressed while the question is open works, its repeats too: Down moves to Discard,
    // Enter takes it.
    QTest::keyClick(box->focusWidget(), Qt::Key_Down);
    sendHeldKey(box, Qt::Key_Down);
    QTest::keyClick(box->focusWidget(), Qt::Key_Up);
    QTest::keyClick(box->focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(prompts.askSaveChanges("Save changes?"), editor::SaveChoice::Discard);
  EXPECT_EQ(held.runs(), 1);
  EXPECT_EQ(focusedAfterRepeats, "Save");
  EXPECT_TRUE(openAfterRepeats);
}

TEST(MessageBoxPrompts, BoxesUseTheMainWindowsFont) {
  QWidget mainWindow;
  QFont font = mainWindow.font();
  font.setPointSizeF(font.pointSizeF() * 0.75);
  mainWindow.setFont(font);
  ui::MessageBoxPrompts prompts(&mainWindow);
  QFont shown;
  const ModalWatcher watcher("", [&](QWidget* box) {
    shown = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font();
    box->close();
  });
  prompts.tell("Done", editor::MessageIcon::None);
  EXPECT_EQ(shown, font);
}

// The look-up's browser: xdg-open is asked, and its failure to find a browser is seen.
TEST(DesktopBrowser, TellsWhetherXdgOpenFoundABrowser) {
  const TempDir dir;
  const std::string asked = dir.file("asked");
  const QByteArray path = qgetenv("PATH");
  for (const int status : {0, 3}) {
    SCOPED_TRACE(status);
    // An xdg-open of our own, first in the PATH, that notes the address and ends with `status`.
    const std::string folder = dir.file("bin" + std::to_string(status));
    std::filesystem::create_directory(folder);
    const std::string script = folder + "/xdg-open";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << asked << "'\nexit " << status
                          << "\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    qputenv("PATH", QByteArray::fromStdString(folder) + ":" + path);
    const std::string address = "https://example.org/s?q=A+B;t=1&x=%27";
    const bool opened = ui::DesktopBrowser().open(address);
    qputenv("PATH", path);
    EXPECT_EQ(opened, status == 0);
    std::ifstream in(asked);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), address)
        << "the address reaches xdg-open whole, as one argument";
  }
}

}  // namespace
}  // namespace zelbor::testing
