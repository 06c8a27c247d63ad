#pragma once

#include <string>

#include "editor/editor.h"
#include "ui/database_file_dialog.h"
#include "ui/desktop_browser.h"
#include "ui/main_window.h"
#include "ui/message_box_prompts.h"

namespace zelbor::app {

// The main window, its message boxes, file dialog and browser, and the editor working on the real
// file system, wired together. Needs a QApplication.
class EditorSession {
 public:
  EditorSession();

  // Start-up: fills the window and opens the database at `databasePath`, or the one the user picks
  // in the file dialog when the path is empty. The window is shown by the caller once Ready.
  editor::StartupOutcome start(const std::string& databasePath);

  ui::MainWindow& window() { return window_; }

 private:
  ui::MainWindow window_;
  ui::MessageBoxPrompts prompts_;
  ui::DatabaseFileDialog fileDialog_;
  ui::DesktopBrowser browser_;
  editor::Editor editor_;
};

}  // namespace zelbor::app
