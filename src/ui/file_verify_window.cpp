#include "file_verify_window.h"

namespace zelbor::ui {
namespace {

// "OK" comes before the text box in the tab order, so it has the focus.
std::vector<ControlSpec> fileVerifyWindowLayout() {
  using enum ControlKind;
  return {
      {"Label1",
       "",
       Label,
       "File Authentication String",
       {120, 240, 6735, 495},
       kCentred | kLargeText},
      {"cmdOK", "", PushButton, "OK", {2520, 1680, 1935, 495}},
      {"txtHash", "", TextBox, "", {120, 840, 6735, 615}, kCentred | kLargeText},
  };
}

}  // namespace

FileVerifyWindow::FileVerifyWindow(QWidget* owner)
    : FormDialog("frmFileVerify", QStringLiteral("File Version Authentication"), 7005, 2430,
                 fileVerifyWindowLayout(), owner),
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
