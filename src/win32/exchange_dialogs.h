#pragma once

#include <windows.h>

#include "editor/exchange_windows.h"

namespace zelbor::win32 {

// Temporary stand-in until the exchange windows land: every question is cancelled.
class ExchangeDialogs final : public editor::ExchangeWindows {
 public:
  explicit ExchangeDialogs(HWND) {}
  std::string chooseTableToImport() override { return {}; }
  std::string chooseExportPath() override { return {}; }
  bool confirmImport(const editor::ImportPreviewRows&) override { return false; }
  std::string choosePatchPath() override { return {}; }
  std::string chooseDatabaseToCompare() override { return {}; }
  bool showDifferences(const std::string&, const std::vector<std::string>&, bool) override {
    return false;
  }
};

}  // namespace zelbor::win32
