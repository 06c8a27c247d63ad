#pragma once

#include <windows.h>

#include "editor/backup_chooser.h"

namespace zelbor::win32 {

// Temporary stand-in until the restore window lands: every question is cancelled.
class BackupDialog final : public editor::BackupChooser {
 public:
  explicit BackupDialog(HWND) {}
  std::optional<int> chooseBackup(const std::string&,
                                  const std::vector<editor::BackupListing>&) override {
    return std::nullopt;
  }
  bool confirmRestore(const editor::BackupListing&,
                      const std::vector<editor::RestoreChange>&) override {
    return false;
  }
};

}  // namespace zelbor::win32
