#pragma once

#include <QWidget>

#include "editor/exchange_windows.h"

namespace zelbor::ui {

// The file dialogs, import preview and list of differences of File "Export Players...",
// "Import Players..." and "Compare with Database...", each modal over `owner`. The file dialogs
// are Qt's own, which take a typed full path and Enter on every platform.
class ExchangeDialogs final : public editor::ExchangeWindows {
 public:
  explicit ExchangeDialogs(QWidget* owner) : owner_(owner) {}

  std::string chooseTableToImport() override;
  std::string chooseExportPath() override;
  bool confirmImport(const editor::ImportPreviewRows& preview) override;
  std::string choosePatchPath() override;
  std::string chooseDatabaseToCompare() override;
  bool showDifferences(const std::string& title,
                       const std::vector<editor::RestoreChange>& differences,
                       bool canSavePatch) override;

 private:
  QWidget* owner_;
};

}  // namespace zelbor::ui
