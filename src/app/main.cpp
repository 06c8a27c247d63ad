#include <QApplication>
#include <QMessageBox>
#include <csignal>
#include <exception>
#include <iostream>

#include "editor_session.h"
#include "ui/message_box_prompts.h"

namespace {

int runEditor(int argc, char* argv[]) {
  zelbor::app::EditorSession session;
  // The window is shown only once it is filled: a failed start-up has told the user why.
  switch (session.start(argc == 2 ? argv[1] : "")) {
    case zelbor::editor::StartupOutcome::Cancelled:
      return 0;
    case zelbor::editor::StartupOutcome::Failed:
      return 1;
    case zelbor::editor::StartupOutcome::Ready:
      break;
  }
  session.window().show();
  return QApplication::exec();
}

}  // namespace

// zelbor-editor [DATABASE]: with a path (as file managers pass it for "Open with") the file
// dialog is skipped.
int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
  // A write past the file-size limit then fails with EFBIG and is reported like any other error,
  // instead of the signal ending the program part-way through a walk.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  QApplication application(argc, argv);
  if (argc > 2) {
    std::cerr << "usage: zelbor-editor [TeamAndPlayerInfo.bag]\n";
    return 2;
  }
  try {
    return runEditor(argc, argv);
  } catch (const std::exception& error) {
    const QString text = QStringLiteral("The editor stopped on an unexpected error: %1")
                             .arg(QString::fromLocal8Bit(error.what()));
    std::cerr << text.toStdString() << "\n";
    QMessageBox::critical(nullptr, QString::fromLatin1(zelbor::ui::kApplicationTitle), text);
    return 70;
  }
}
