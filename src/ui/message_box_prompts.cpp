#include "message_box_prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <vector>

#include "held_keys.h"

namespace zelbor::ui {
namespace {

QMessageBox::Icon boxIcon(editor::MessageIcon icon) {
  switch (icon) {
    case editor::MessageIcon::Information:
      return QMessageBox::Information;
    case editor::MessageIcon::Warning:
      return QMessageBox::Warning;
    case editor::MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// In the main window's font, and the text shown as it stands: a path or a name holding "<" must not
// be taken for markup.
void setUp(QMessageBox& box, const std::string& text, const QWidget* mainWindow) {
  box.setFont(mainWindow->font());
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setTextFormat(Qt::PlainText);
  box.setText(shown);
}

}  // namespace

MessageBoxPrompts::MessageBoxPrompts(QWidget* mainWindow) : mainWindow_(mainWindow) {
  // Keys held down before a box opened keep repeating into it.
  dropKeysHeldIntoModalWindows();
}

int MessageBoxPrompts::run(QMessageBox::Icon icon, const std::string& text,
                           QMessageBox::StandardButtons buttons,
                           QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), {}, buttons);
  setUp(box, text, mainWindow_);
  box.setDefaultButton(defaultButton);
  return box.exec();
}

std::size_t MessageBoxPrompts::choose(const std::string& text,
                                      std::initializer_list<ButtonChoice> buttons,
                                      std::size_t defaultButton, std::size_t escapeButton) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle), {},
                  QMessageBox::NoButton, owner());
  setUp(box, text, mainWindow_);
  // The standard buttons carry no Alt keys on every platform style; these do.
  std::vector<QPushButton*> added;
  for (const ButtonChoice& button : buttons) {
    added.push_back(box.addButton(QString::fromUtf8(button.caption), button.role));
  }
  box.setDefaultButton(added.at(defaultButton));
  box.setEscapeButton(added.at(escapeButton));
  box.exec();
  const auto chosen = std::ranges::find(added, box.clickedButton());
  return chosen == added.end() ? escapeButton : static_cast<std::size_t>(chosen - added.begin());
}

editor::Answer MessageBoxPrompts::askYesNo(const std::string& text) {
  // Escape and the title bar's close button answer No.
  const int answer =
      run(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  return answer == QMessageBox::Yes ? editor::Answer::Yes : editor::Answer::No;
}

editor::Answer MessageBoxPrompts::askYesNoDefaultNo(const std::string& text) {
  const int answer =
      run(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  return answer == QMessageBox::Yes ? editor::Answer::Yes : editor::Answer::No;
}

editor::SaveChoice MessageBoxPrompts::askSaveChanges(const std::string& text) {
  // Escape and the title bar's close button cancel.
  constexpr std::array choices = {editor::SaveChoice::Save, editor::SaveChoice::Discard,
                                  editor::SaveChoice::Cancel};
  return choices[choose(text,
                        {{editor::messages::kSaveButton.data(), QMessageBox::AcceptRole},
                         {editor::messages::kDiscardButton.data(), QMessageBox::DestructiveRole},
                         {editor::messages::kCancelButton.data(), QMessageBox::RejectRole}},
                        0, 2)];
}

void MessageBoxPrompts::tell(const std::string& text, editor::MessageIcon icon) {
  run(boxIcon(icon), text, QMessageBox::Ok, QMessageBox::Ok);
}

editor::TeamChangedChoice MessageBoxPrompts::askAboutChangedTeam(const std::string& text) {
  // Escape and the title bar's close button keep the edits: nothing is lost by dismissing it.
  constexpr std::array choices = {editor::TeamChangedChoice::ReloadTeam,
                                  editor::TeamChangedChoice::Merge,
                                  editor::TeamChangedChoice::KeepEdits};
  return choices[choose(text,
                        {{editor::messages::kReloadTeamButton.data(), QMessageBox::AcceptRole},
                         {editor::messages::kMergeButton.data(), QMessageBox::AcceptRole},
                         {editor::messages::kKeepEditsButton.data(), QMessageBox::RejectRole}},
                        2, 2)];
}

QWidget* MessageBoxPrompts::owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return mainWindow_->isVisible() ? mainWindow_ : nullptr;
}

}  // namespace zelbor::ui
