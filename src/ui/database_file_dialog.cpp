#include "database_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace zelbor::ui {

std::string DatabaseFileDialog::chooseDatabase(const std::string& initialFolder,
                                               const editor::FileTypes& types) {
  // Shown before the main window, so it has no owner.
  const QString path = QFileDialog::getOpenFileName(
      nullptr, QString(), QString::fromStdString(initialFolder), qtFileFilter(types));
  return path.isEmpty() ? std::string() : path.toStdString();
}

QString qtFileFilter(const editor::FileTypes& types) {
  QStringList filters;
  for (const editor::FileType& type : types) {
    filters.append(QString::fromStdString(editor::shownType(type, " ")));
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace zelbor::ui
