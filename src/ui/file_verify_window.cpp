#include "file_verify_window.h"

#include "forms/file_hash_form.h"

namespace zelbor::ui {
FileVerifyWindow::FileVerifyWindow(QWidget* owner)
    : FormDialog(forms::fileHashForm(), owner),
      txtHash(control<QLineEdit>("txtHash")),
      cmdOK(control<QPushButton>("cmdOK")) {
  // The string can be selected and copied; typing changes nothing.
  txtHash->setReadOnly(true);
  cmdOK->setDefault(true);
  cmdOK->setFocus();
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void FileVerifyWindow::DisplayHash(const QString& hash) {
  txtHash->setText(hash);
  exec();
}

}  // namespace zelbor::ui
