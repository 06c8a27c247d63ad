#pragma once

#include <windows.h>

#include <string>

#include "editor/main_view.h"

namespace zelbor::win32 {

// The editor's questions and messages as message boxes with the program's title, owned by the
// window in use.
class MessageBoxPrompts final : public editor::Prompts {
 public:
  // `mainWindow` owns the boxes while no other window of the program is active; null before it
  // exists.
  explicit MessageBoxPrompts(HWND mainWindow = nullptr) : mainWindow_(mainWindow) {}
  void setMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }

  editor::Answer askYesNo(const std::string& text) override;
  editor::Answer askYesNoDefaultNo(const std::string& text) override;
  editor::SaveChoice askSaveChanges(const std::string& text) override;
  void tell(const std::string& text, editor::MessageIcon icon) override;
  editor::TeamChangedChoice askAboutChangedTeam(const std::string& text) override;

 private:
  int show(const std::string& text, UINT style) const;
  HWND owner() const;

  HWND mainWindow_;
};

}  // namespace zelbor::win32
