#pragma once

#include <windows.h>

#include <string>

#include "editor/main_view.h"

namespace zelbor::win32 {

// The system's Open dialog for the database, owned by `owner` (null before the main window exists).
class DatabaseFileDialog final : public editor::FileDialog {
 public:
  explicit DatabaseFileDialog(HWND owner = nullptr) : owner_(owner) {}
  std::string chooseDatabase(const std::string& initialFolder, const std::string& filter) override;

 private:
  HWND owner_;
};

// "Description|pattern" as the Open dialog takes a filter: each part ends with a null character,
// the list with a second one.
std::wstring dialogFilter(const std::string& filter);

}  // namespace zelbor::win32
