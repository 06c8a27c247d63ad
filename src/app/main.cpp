#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <exception>
#include <iostream>

#include "editor/messages.h"
#include "editor_command_line.h"
#include "editor_session.h"
#include "ui/message_box_prompts.h"
#include "window_report.h"

namespace {

int runEditor(const zelbor::app::EditorCommandLine& commandLine) {
  zelbor::app::EditorSession session;
  // The window is shown only once it is filled: a failed start-up has told the user why.
  switch (session.start(commandLine.databasePath())) {
    case zelbor::editor::StartupOutcome::Cancelled:
      return 0;
    case zelbor::editor::StartupOutcome::Failed:
      return 1;
    case zelbor::editor::StartupOutcome::Ready:
      break;
  }
  session.window().show();
  if (commandLine.printWindow()) {
    QTimer::singleShot(0, [&session] {
      const bool written =
          zelbor::app::writeOutput(zelbor::app::describeMainWindow(session.window()));
      QApplication::exit(written ? 0 : 1);
    });
  }
  return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
  // A write past the file-size limit then fails with EFBIG and is reported like any other error,
  // instead of the signal ending the program part-way through a walk.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  zelbor::app::EditorCommandLine commandLine;
  commandLine.needNoDisplayForText(argc, argv);
  QApplication application(argc, argv);
  if (const auto answered = commandLine.read(argc, argv)) return *answered;
  QApplication::setWindowIcon(QIcon(":/io.github.zelbor.PlayerEditor.svg"));
  try {
    return runEditor(commandLine);
  } catch (const std::exception& error) {
    const QString text = QString::fromStdString(zelbor::editor::messages::unexpectedErrorMessage(
        QString::fromLocal8Bit(error.what()).toStdString()));
    std::cerr << text.toStdString() << "\n";
    QMessageBox::critical(nullptr, QString::fromLatin1(zelbor::ui::kApplicationTitle), text);
    return 70;
  }
}
