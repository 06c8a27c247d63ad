#include <QApplication>
#include <iostream>

#include "editor_session.h"

// zelbor-editor [DATABASE]: with a path (as file managers pass it for "Open with") the file
// dialog is skipped.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc > 2) {
    std::cerr << "usage: zelbor-editor [TeamAndPlayerInfo.bag]\n";
    return 2;
  }
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
