#pragma once

#include <QLineEdit>
#include <QPushButton>

#include "form_dialog.h"

namespace zelbor::ui {

// frmFileVerify: shows the file authentication string until the user presses "OK".
class FileVerifyWindow final : public FormDialog {
 public:
  explicit FileVerifyWindow(QWidget* owner);

  // Puts `hash` into the window and shows it modally; returns when the window has closed.
  void DisplayHash(const QString& hash);

 private:
  QLineEdit* txtHash;
  QPushButton* cmdOK;
};

}  // namespace zelbor::ui
