#pragma once

#include <QLineEdit>
#include <QObject>

#include "editor/controls.h"

namespace zelbor::ui {

class InsertionValidator;

// The typing rules of one of the main window's text boxes: its key filter, applied to typed,
// pasted and dropped text alike, its greatest length, and whether it can be edited at all; a
// refused change shows why in a tooltip. Text the editor sets is shown whole, however long, and
// changes that do not make it longer are taken, so that a later store does not cut the value.
class TextBoxRules final : public QObject {
 public:
  // Owned by `lineEdit`.
  TextBoxRules(editor::TextBox box, QLineEdit* lineEdit);

  // Sets the text without running any handler of the box.
  void setTextFromEditor(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  editor::TextBox box_;
  QLineEdit* lineEdit_;
  InsertionValidator* validator_ = nullptr;
};

}  // namespace zelbor::ui
