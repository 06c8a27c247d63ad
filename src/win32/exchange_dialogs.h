#pragma once

#include <windows.h>

#include "editor/exchange_windows.h"

namespace zelbor::win32 {

// The file dialogs, import preview and list of differences of File "Export Players...",
// "Import Players..." and "Compare with Database...", each modal over `owner`.
class ExchangeDialogs final : public editor::ExchangeWindows {
 public:
  explicit ExchangeDialogs(HWND owner) : owner_(owner) {}

  std::string chooseTableToImport() override;
  std::string chooseExportPath() override;
  bool confirmImport(const editor::ImportPreviewRows& preview) override;
  std::string choosePatchPath() override;
  std::string chooseDatabaseToCompare() override;
  bool showDifferences(const std::string& title,
                       const std::vector<editor::RestoreChange>& differences,
                       bool canSavePatch) override;

 private:
  HWND owner_;
};

}  // namespace zelbor::win32
