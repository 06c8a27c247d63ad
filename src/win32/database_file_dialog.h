#pragma once

#include <windows.h>

#include <string>

#include "editor/main_view.h"
#include "file_dialogs.h"

namespace zelbor::win32 {

// The system's Open dialog for the database, owned by `owner` (null before the main window exists).
class DatabaseFileDialog final : public editor::FileDialog {
 public:
  explicit DatabaseFileDialog(HWND owner = nullptr) : owner_(owner) {}
  std::string chooseDatabase(const std::string& initialFolder,
                             const editor::FileTypes& types) override;

 private:
  HWND owner_;
};

}  // namespace zelbor::win32
