#pragma once

#include <QMessageBox>
#include <QWidget>
#include <cstddef>
#include <initializer_list>
#include <string>

#include "editor/main_view.h"
#include "editor/messages.h"

namespace zelbor::ui {

// The title of every message box.
inline constexpr const char* kApplicationTitle = editor::messages::kApplicationTitle.data();

// The editor's questions and messages as message boxes over the window in use.
class MessageBoxPrompts final : public editor::Prompts {
 public:
  explicit MessageBoxPrompts(QWidget* mainWindow);

  editor::Answer askYesNo(const std::string& text) override;
  editor::Answer askYesNoDefaultNo(const std::string& text) override;
  editor::SaveChoice askSaveChanges(const std::string& text) override;
  void tell(const std::string& text, editor::MessageIcon icon) override;
  editor::TeamChangedChoice askAboutChangedTeam(const std::string& text) override;

 private:
  // A box with the program's title over the window in use; the button pressed.
  int run(QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons,
          QMessageBox::StandardButton defaultButton);
  struct ButtonChoice {
    const char* caption;  // with its Alt key
    QMessageBox::ButtonRole role;
  };
  // A warning box with these buttons; the index of the one chosen, `escapeButton` when the box is
  // dismissed.
  std::size_t choose(const std::string& text, std::initializer_list<ButtonChoice> buttons,
                     std::size_t defaultButton, std::size_t escapeButton);
  // The open modal window, else the main window once it is shown, else none.
  QWidget* owner() const;

  QWidget* mainWindow_;
};

}  // namespace zelbor::ui
