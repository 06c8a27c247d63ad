#include "message_box_prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

// Shown as it stands: a path or a name holding "<" must not be taken for markup.
void setPlainText(QMessageBox& box, const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setTextFormat(Qt::PlainText);
  box.setText(shown);
}

int run(QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton, QWidget* owner) {
  QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), {}, buttons, owner);
  setPlainText(box, text);
  box.setDefaultButton(defaultButton);
  return box.exec();
}

}  // namespace

editor::Answer MessageBoxPrompts::askYesNo(const std::string& text) {
  // Escape and the title bar's close button answer No.
  const int answer = run(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::Yes, owner());
  return answer == QMessageBox::Yes ? editor::Answer::Yes : editor::Answer::No;
}

editor::Answer MessageBoxPrompts::askYesNoDefaultNo(const std::string& text) {
  const int answer =
      run(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, owner());
  return answer == QMessageBox::Yes ? editor::Answer::Yes : editor::Answer::No;
}

editor::SaveChoice MessageBoxPrompts::askSaveChanges(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle), {},
                  QMessageBox::NoButton, owner());
  setPlainText(box, text);
  // The standard buttons carry no Alt keys on every platform style; these do.
  QPushButton* save = box.addButton(QStringLiteral("&Save"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  // Escape and the title bar's close button cancel.
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return editor::SaveChoice::Save;
  if (box.clickedButton() == discard) return editor::SaveChoice::Discard;
  return editor::SaveChoice::Cancel;
}

void MessageBoxPrompts::tell(const std::string& text, editor::MessageIcon icon) {
  run(boxIcon(icon), text, QMessageBox::Ok, QMessageBox::Ok, owner());
}

editor::TeamChangedChoice MessageBoxPrompts::askAboutChangedTeam(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle), {},
                  QMessageBox::NoButton, owner());
  setPlainText(box, text);
  QPushButton* reload = box.addButton(QStringLiteral("&Reload Team"), QMessageBox::AcceptRole);
  QPushButton* merge = box.addButton(QStringLiteral("&Merge"), QMessageBox::AcceptRole);
  QPushButton* keep = box.addButton(QStringLiteral("&Keep Edits"), QMessageBox::RejectRole);
  // Escape and the title bar's close button keep the edits: nothing is lost by dismissing it.
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  box.exec();
  if (box.clickedButton() == reload) return editor::TeamChangedChoice::ReloadTeam;
  if (box.clickedButton() == merge) return editor::TeamChangedChoice::Merge;
  return editor::TeamChangedChoice::KeepEdits;
}

QWidget* MessageBoxPrompts::owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return mainWindow_->isVisible() ? mainWindow_ : nullptr;
}

}  // namespace zelbor::ui
