#pragma once

#include <string>

#include "database_file_dialog.h"
#include "editor/editor.h"
#include "main_window.h"
#include "message_box_prompts.h"
#include "shell_browser.h"

namespace zelbor::win32 {

// The main window, its message boxes, file dialog and browser, and the editor working on
// `fileSystem`, wired together. Needs COM on the thread for the face pictures.
class EditorSession {
 public:
  EditorSession(db::FileSystem& fileSystem, editor::EditorEnvironment environment);

  // Start-up: fills the window and opens the database at `databasePath`, or the one the user picks
  // in the file dialog when the path is empty. The window is shown by the caller once Ready.
  editor::StartupOutcome start(const std::string& databasePath);

  MainWindow& window() { return window_; }
  editor::Editor& editor() { return editor_; }

 private:
  MainWindow window_;
  MessageBoxPrompts prompts_;
  DatabaseFileDialog fileDialog_;
  ShellBrowser browser_;
  editor::Editor editor_;
};

}  // namespace zelbor::win32
