#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "editor_command_line.h"
#include "editor_session.h"
#include "window_report.h"

int main(int argc, char* argv[]) {
  zelbor::app::EditorCommandLine commandLine;
  commandLine.needNoDisplayForText(argc, argv);
  QApplication application(argc, argv);
  if (const auto answered = commandLine.read(argc, argv)) return *answered;
  QApplication::setWindowIcon(QIcon(":/io.github.zelbor.PlayerEditor.svg"));

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
