#pragma once

#include <QMessageBox>
#include <QWidget>

#include "editor/main_view.h"

namespace zelbor::ui {

// The title of every message box.
inline constexpr char kApplicationTitle[] = "Zelbor Player Editor";

// The editor's questions and messages as message boxes over the window in use.
class MessageBoxPrompts final : public editor::Prompts {
 public:
  explicit MessageBoxPrompts(QWidget* mainWindow) : mainWindow_(mainWindow) {}

  editor::Answer askYesNo(const std::string& text) override;
  editor::Answer askYesNoDefaultNo(const std::string& text) override;
  editor::SaveChoice askSaveChanges(const std::string& text) override;
  void tell(const std::string& text, editor::MessageIcon icon) override;
  editor::TeamChangedChoice askAboutChangedTeam(const std::string& text) override;

 private:
  // A box with the program's title over the window in use; the button pressed.
  int run(QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons,
          QMessageBox::StandardButton defaultButton);
  // The open modal window, else the main window once it is shown, else none.
  QWidget* owner() const;

  QWidget* mainWindow_;
};

}  // namespace zelbor::ui
