#include "exchange_dialogs.h"

#include <QFileDialog>

#include "database_file_dialog.h"
#include "editor/messages.h"
#include "forms/exchange_texts.h"
#include "table_dialog.h"

namespace zelbor::ui {
namespace {

namespace texts = forms::exchange_texts;

// A file dialog named `name`; a name typed without an extension takes the chosen type's.
std::string chooseFile(QWidget* owner, const QString& name, std::string_view title,
                       const editor::FileTypes& types, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner, qtText(title), QString(), qtFileFilter(types));
  dialog.setObjectName(name);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  // The editor asks about replacing a file, once it knows the file is not the open database.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
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

}  // namespace

std::string ExchangeDialogs::chooseTableToImport() {
  return chooseFile(owner_, QStringLiteral("dlgImportFile"), texts::kImportTitle,
                    texts::importTypes(), QFileDialog::AcceptOpen);
}

std::string ExchangeDialogs::chooseExportPath() {
  return chooseFile(owner_, QStringLiteral("dlgExportFile"), texts::kExportTitle,
                    texts::tableTypes(), QFileDialog::AcceptSave);
}

std::string ExchangeDialogs::choosePatchPath() {
  return chooseFile(owner_, QStringLiteral("dlgPatchFile"), texts::kPatchTitle, texts::patchTypes(),
                    QFileDialog::AcceptSave);
}

std::string ExchangeDialogs::chooseDatabaseToCompare() {
  return chooseFile(owner_, QStringLiteral("dlgCompareFile"), texts::kCompareTitle,
                    editor::messages::databaseTypes(), QFileDialog::AcceptOpen);
}

bool ExchangeDialogs::confirmImport(const editor::ImportPreviewRows& preview) {
  const bool refused = !preview.refused.empty();
  const std::span<const std::string_view> columns =
      refused ? std::span<const std::string_view>(texts::kRefusedColumns)
              : std::span<const std::string_view>(texts::kImportColumns);
  TableDialog window(owner_, QStringLiteral("frmImportPreview"), texts::kImportTitle,
                     qtText(texts::importCaption(preview)), columns, texts::kApplyButton);
  if (refused) {
    for (const std::string& cell : preview.refused) addRow(window.table, {cell});
  } else {
    addChangeRows(window.table, preview.changes);
  }
  const bool applicable = !refused && !preview.changes.empty();
  window.offerApply(applicable);
  return window.dialog.exec() == QDialog::Accepted && applicable;
}

bool ExchangeDialogs::showDifferences(const std::string& title,
                                      const std::vector<editor::RestoreChange>& differences,
                                      bool canSavePatch) {
  TableDialog window(owner_, QStringLiteral("frmDifferences"), texts::kCompareTitle, qtText(title),
                     texts::kDifferenceColumns, texts::kSavePatchButton);
  addChangeRows(window.table, differences);
  window.offerApply(canSavePatch);
  window.buttons->button(QDialogButtonBox::Cancel)->setText(qtText(texts::kCloseButton));
  return window.dialog.exec() == QDialog::Accepted && canSavePatch;
}

}  // namespace zelbor::ui
