#include "text_box_rules.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "editor/input_rules.h"

namespace zelbor::ui {
namespace {

// Keys that insert no character pass every filter: editing keys such as Delete, whose text
// may be the control character 127, and Ctrl with a key (Ctrl+V is 22), whatever text the
// platform attaches to it. Ctrl+Alt is AltGr on some keyboards, which types ordinary characters.
bool isControlKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers();
  return !key.text().front().isPrint() ||
         (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier));
}

}  // namespace

TextBoxRules::TextBoxRules(editor::TextBox box, QLineEdit* lineEdit)
    : QObject(lineEdit), box_(box), lineEdit_(lineEdit) {
  fitLimitTo(0);
  if (editor::keyFilter(box) != editor::KeyFilter::None) {
    // Every character must arrive as a key press to pass the filter.
    lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    lineEdit->installEventFilter(this);
  }
  connect(lineEdit, &QLineEdit::textEdited, this,
          [this](const QString& text) { fitLimitTo(text.size()); });
}

void TextBoxRules::setTextFromEditor(const QString& text) {
  const QSignalBlocker blocker(lineEdit_);
  fitLimitTo(text.size());
  lineEdit_->setText(text);
}

bool TextBoxRules::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lineEdit_ || event->type() != QEvent::KeyPress) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (key.text().isEmpty() || isControlKey(key)) return false;
  const char32_t character = key.text().toUcs4().front();
  // Consumed means discarded: nothing is inserted, without a sound.
  return !editor::keyAccepted(box_, editor::keyCode(character), lineEdit_->text().toStdString());
}

void TextBoxRules::fitLimitTo(qsizetype length) {
  const int greatest = editor::greatestLength(box_);
  if (greatest > 0) lineEdit_->setMaxLength(std::max(greatest, static_cast<int>(length)));
}

}  // namespace zelbor::ui
