#include "message_box_prompts.h"

#include <QApplication>
#include <QMessageBox>

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

// Run as it stands: a path or a name holding "<" must not be taken for markup.
int run(QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton, QWidget* owner) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), shown, buttons, owner);
  box.setTextFormat(Qt::PlainText);
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

QWidget* MessageBoxPrompts::owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return mainWindow_->isVisible() ? mainWindow_ : nullptr;
}

}  // namespace zelbor::ui
