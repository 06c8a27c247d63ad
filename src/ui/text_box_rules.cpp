#include "text_box_rules.h"

#include <QKeyEvent>
#include <QSet>
#include <QSignalBlocker>
#include <QToolTip>
#include <QValidator>
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

// Every change passes here, typed, pasted, dropped or undone: the part a change inserts is checked
// by the editor's rules and taken whole (trimmed as they say) or refused whole. Texts the box has
// held since the editor set it (what undo and redo return to) are taken as they are.
class InsertionValidator final : public QValidator {
 public:
  InsertionValidator(editor::TextBox box, QObject* parent) : QValidator(parent), box_(box) {}

  void setTextFromEditor(const QString& text) {
    held_ = {text};
    last_ = text;
  }

  // Why the last change was refused.
  const QString& refusal() const { return refusal_; }

  State validate(QString& input, int& position) const override {
    if (!held_.contains(input)) {
      const qsizetype common = std::min(input.size(), last_.size());
      qsizetype prefix = 0;
      while (prefix < common && input[prefix] == last_[prefix]) ++prefix;
      qsizetype suffix = 0;
      while (suffix < common - prefix &&
             input[input.size() - 1 - suffix] == last_[last_.size() - 1 - suffix]) {
        ++suffix;
      }
      const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
      const editor::Insertion insertion =
          editor::checkInsertion(box_, inserted.toStdString(), last_.toStdString(),
                                 static_cast<std::size_t>(prefix + suffix));
      if (!insertion.refusal.empty()) {
        refusal_ = QString::fromStdString(insertion.refusal);
        return Invalid;
      }
      const QString taken = QString::fromStdString(insertion.text);
      if (taken != inserted) {
        input = input.left(prefix) + taken + input.right(suffix);
        position = static_cast<int>(prefix + taken.size());
      }
      held_.insert(input);
    }
    last_ = input;
    return Acceptable;
  }

 private:
  editor::TextBox box_;
  mutable QSet<QString> held_{QString()};
  mutable QString last_;
  mutable QString refusal_;
};

TextBoxRules::TextBoxRules(editor::TextBox box, QLineEdit* lineEdit)
    : QObject(lineEdit), box_(box), lineEdit_(lineEdit) {
  lineEdit->setReadOnly(!editor::editable(box));
  if (!editor::editable(box)) return;
  if (editor::keyFilter(box) != editor::KeyFilter::None) {
    // Every typed character must arrive as a key press to pass the filter.
    lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    lineEdit->installEventFilter(this);
  }
  validator_ = new InsertionValidator(box, this);
  lineEdit->setValidator(validator_);
  // A refusal is never silent: the box says why.
  connect(lineEdit, &QLineEdit::inputRejected, this, [this] {
    QToolTip::showText(lineEdit_->mapToGlobal(QPoint(0, lineEdit_->height())),
                       validator_->refusal(), lineEdit_);
  });
}

void TextBoxRules::setTextFromEditor(const QString& text) {
  const QSignalBlocker blocker(lineEdit_);
  if (validator_ != nullptr) validator_->setTextFromEditor(text);
  lineEdit_->setText(text);
  // A text wider than the box shows its beginning, not the blanks that may pad its end.
  lineEdit_->setCursorPosition(0);
}

bool TextBoxRules::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lineEdit_ || event->type() != QEvent::KeyPress) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (key.text().isEmpty() || isControlKey(key)) return false;
  const char32_t character = key.text().toUcs4().front();
  // Consumed means discarded: nothing is inserted, without a sound.
  return !editor::keyAccepted(box_, editor::keyCode(character), lineEdit_->text().toStdString());
}

}  // namespace zelbor::ui
