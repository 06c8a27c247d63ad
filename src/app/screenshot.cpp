#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <iostream>

#include "editor_session.h"

// zelbor-screenshot DATABASE PNG: renders the main window, started on DATABASE, into PNG.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: zelbor-screenshot DATABASE PNG\n";
    return 2;
  }
  zelbor::app::EditorSession session;
  if (session.start(argv[1]) != zelbor::editor::StartupOutcome::Ready) return 1;
  session.window().show();
  // The window settles its layout (menu bar height, scroll bars) in posted events.
  QCoreApplication::processEvents();
  if (!session.window().grab().save(QFile::decodeName(argv[2]), "PNG")) {
    std::cerr << "zelbor-screenshot: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
