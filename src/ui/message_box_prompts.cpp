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
  // Escape and the title bar's close button cancel.
  switch (run(QMessageBox::Warning, text,
              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save,
              owner())) {
    case QMessageBox::Save:
      return editor::SaveChoice::Save;
    case QMessageBox::Discard:
      return editor::SaveChoice::Discard;
    default:
      return editor::SaveChoice::Cancel;
  }
}

void MessageBoxPrompts::tell(const std::string& text, editor::MessageIcon icon) {
  run(boxIcon(icon), text, QMessageBox::Ok, QMessageBox::Ok, owner());
}

editor::TeamChangedChoice MessageBoxPrompts::askReloadOrKeepEdits(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle), {},
                  QMessageBox::NoButton, owner());
  setPlainText(box, text);
  QPushButton* reload = box.addButton(QStringLiteral("&Reload Team"), QMessageBox::AcceptRole);
  QPushButton* keep = box.addButton(QStringLiteral("&Keep Edits"), QMessageBox::RejectRole);
  // Escape and the title bar's close button keep the edits: nothing is lost by dismissing it.
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  box.exec();
  return box.clickedButton() == reload ? editor::TeamChangedChoice::ReloadTeam
                                       : editor::TeamChangedChoice::KeepEdits;
}

QWidget* MessageBoxPrompts::owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return mainWindow_->isVisible() ? mainWindow_ : nullptr;
}

}  // namespace zelbor::ui
