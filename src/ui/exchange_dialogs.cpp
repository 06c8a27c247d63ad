#include "exchange_dialogs.h"

#include <QFileDialog>

#include "database_file_dialog.h"
#include "editor/messages.h"
#include "table_dialog.h"

namespace zelbor::ui {
namespace {

constexpr const char* kTableFilter =
    "Excel workbook (*.xlsx);;CSV with byte order mark (*.csv);;JSON (*.json)";

// A file dialog named `name`; a name typed without an extension takes the chosen type's.
std::string chooseFile(QWidget* owner, const QString& name, const QString& title,
                       const QString& filter, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner, title, QString(), filter);
  dialog.setObjectName(name);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  const auto suffixOf = [](const QString& chosen) {
    const qsizetype dot = chosen.indexOf(QStringLiteral("(*."));
    return dot < 0 ? QString() : chosen.mid(dot + 3).chopped(1);
  };
  dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [&dialog, suffixOf](const QString& chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst().toStdString();
}

QString counted(std::size_t count, const QString& noun) {
  return QStringLiteral("%1 %2%3").arg(count).arg(noun).arg(count == 1 ? "" : "s");
}

}  // namespace

std::string ExchangeDialogs::chooseTableToImport() {
  return chooseFile(owner_, QStringLiteral("dlgImportFile"), QStringLiteral("Import Players"),
                    QStringLiteral("Players' tables (*.xlsx *.csv *.json);;") + kTableFilter,
                    QFileDialog::AcceptOpen);
}

std::string ExchangeDialogs::chooseExportPath() {
  return chooseFile(owner_, QStringLiteral("dlgExportFile"), QStringLiteral("Export Players"),
                    QString::fromLatin1(kTableFilter), QFileDialog::AcceptSave);
}

std::string ExchangeDialogs::choosePatchPath() {
  return chooseFile(owner_, QStringLiteral("dlgPatchFile"), QStringLiteral("Save as Patch"),
                    QStringLiteral("JSON patch (*.json)"), QFileDialog::AcceptSave);
}

std::string ExchangeDialogs::chooseDatabaseToCompare() {
  return chooseFile(owner_, QStringLiteral("dlgCompareFile"),
                    QStringLiteral("Compare with Database"),
                    qtFileFilter(editor::messages::kDatabaseFilter), QFileDialog::AcceptOpen);
}

bool ExchangeDialogs::confirmImport(const editor::ImportPreviewRows& preview) {
  const QString input = qtText(preview.input);
  QString caption;
  if (!preview.refused.empty()) {
    caption = QStringLiteral("Nothing can be imported: %1 of \"%2\" %3 refused.")
                  .arg(counted(preview.refused.size(), QStringLiteral("cell")), input,
                       preview.refused.size() == 1 ? "is" : "are");
  } else if (preview.changes.empty()) {
    caption =
        QStringLiteral("\"%1\" holds the players as the file does: nothing to import.").arg(input);
  } else {
    caption = QStringLiteral("Importing \"%1\" changes %2. The file is backed up first.")
                  .arg(input, counted(preview.changes.size(), QStringLiteral("field")));
  }
  if (!preview.reading.empty())
    caption += QStringLiteral("\nRead as %1.").arg(qtText(preview.reading));
  for (const std::string& note : preview.notes) caption += QLatin1Char('\n') + qtText(note);
  const QStringList columns =
      preview.refused.empty()
          ? QStringList{QStringLiteral("Team"), QStringLiteral("Player"), QStringLiteral("Field"),
                        QStringLiteral("Now"), QStringLiteral("Imported")}
          : QStringList{QStringLiteral("Refused cell")};
  TableDialog window(owner_, QStringLiteral("frmImportPreview"), QStringLiteral("Import Players"),
                     caption, columns, QStringLiteral("&Apply"));
  if (preview.refused.empty()) {
    addChangeRows(window.table, preview.changes);
  } else {
    for (const std::string& refused : preview.refused) {
      new QTreeWidgetItem(window.table, {qtText(refused)});
    }
  }
  const bool applicable = preview.refused.empty() && !preview.changes.empty();
  window.offerApply(applicable);
  return window.dialog.exec() == QDialog::Accepted && applicable;
}

bool ExchangeDialogs::showDifferences(const std::string& title,
                                      const std::vector<std::string>& lines, bool canSavePatch) {
  TableDialog window(owner_, QStringLiteral("frmDifferences"),
                     QStringLiteral("Compare with Database"), qtText(title),
                     {QStringLiteral("Team"), QStringLiteral("Slot"), QStringLiteral("Field"),
                      QStringLiteral("This file"), QStringLiteral("Compared")},
                     QStringLiteral("Save as &Patch\u2026"));
  for (const std::string& line : lines) {
    new QTreeWidgetItem(window.table, qtText(line).split(QLatin1Char('\t')));
  }
  window.offerApply(canSavePatch);
  window.buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Close"));
  return window.dialog.exec() == QDialog::Accepted && canSavePatch;
}

}  // namespace zelbor::ui
