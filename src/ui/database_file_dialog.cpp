#include "database_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace zelbor::ui {

std::string DatabaseFileDialog::chooseDatabase(const std::string& initialFolder,
                                               const std::string& filter) {
  // Shown before the main window, so it has no owner.
  const QString path = QFileDialog::getOpenFileName(
      nullptr, QString(), QString::fromStdString(initialFolder), qtFileFilter(filter));
  return path.isEmpty() ? std::string() : path.toStdString();
}

QString qtFileFilter(std::string_view filter) {
  const QStringList parts = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
                                .split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters.append(parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace zelbor::ui
