#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "db/database.h"

// Until the editor window lands: open the database given on the command line and list its teams.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QMainWindow window;
  QString text = "Zelbor Player Editor";
  if (argc > 1) {
    auto database = zelbor::db::Database::open(zelbor::db::posixFileSystem(), argv[1]);
    if (!database) {
      text = QString::fromStdString(database.error().message);
    } else if (auto names = database.value().readTeamNames(); names) {
      for (const std::string& name : names.value()) text += "\n" + QString::fromStdString(name);
    }
    window.setWindowTitle(QString::fromLocal8Bit(argv[1]));
  }
  window.setCentralWidget(new QLabel(text));
  window.show();
  return application.exec();
}
