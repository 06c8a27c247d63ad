#include "exchange_dialogs.h"

#include "editor/messages.h"
#include "file_dialogs.h"
#include "forms/exchange_texts.h"
#include "table_dialog.h"

namespace zelbor::win32 {

namespace texts = forms::exchange_texts;

std::string ExchangeDialogs::chooseTableToImport() {
  return chooseFileToOpen(owner_, texts::kImportTitle, texts::importTypes());
}

std::string ExchangeDialogs::chooseExportPath() {
  return chooseFileToSave(owner_, texts::kExportTitle, texts::tableTypes());
}

std::string ExchangeDialogs::choosePatchPath() {
  return chooseFileToSave(owner_, texts::kPatchTitle, texts::patchTypes());
}

std::string ExchangeDialogs::chooseDatabaseToCompare() {
  return chooseFileToOpen(owner_, texts::kCompareTitle, editor::messages::databaseTypes());
}

bool ExchangeDialogs::confirmImport(const editor::ImportPreviewRows& preview) {
  const bool refused = !preview.refused.empty();
  const bool applicable = !refused && !preview.changes.empty();
  TableContent content{.title = texts::kImportTitle,
                       .caption = texts::importCaption(preview),
                       .columns = refused
                                      ? std::span<const std::string_view>(texts::kRefusedColumns)
                                      : std::span<const std::string_view>(texts::kImportColumns),
                       .okCaption = texts::kApplyButton,
                       .offerOk = applicable};
  if (refused) {
    for (const std::string& cell : preview.refused) content.rows.push_back({cell});
  } else {
    content.rows = texts::changeRows(preview.changes);
  }
  return showTable(owner_, content).has_value() && applicable;
}

bool ExchangeDialogs::showDifferences(const std::string& title,
                                      const std::vector<editor::RestoreChange>& differences,
                                      bool canSavePatch) {
  TableContent content{.title = texts::kCompareTitle,
                       .caption = title,
                       .columns = texts::kDifferenceColumns,
                       .rows = texts::changeRows(differences),
                       .okCaption = texts::kSavePatchButton,
                       .offerOk = canSavePatch,
                       .cancelCaption = texts::kCloseButton};
  return showTable(owner_, content).has_value() && canSavePatch;
}

}  // namespace zelbor::win32
