#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>
#include <string>

namespace zelbor::app {

// zelbor-editor [--help | --version | DATABASE]. With DATABASE (as file managers pass it for
// "Open with") the file dialog is skipped.
class EditorCommandLine {
 public:
  EditorCommandLine();

  // Help and version are plain text: when the arguments ask for one of them, the offscreen platform
  // is chosen so they work without a display. Call before the QApplication is made.
  void needNoDisplayForText(int argc, char* argv[]);

  // Reads the arguments the QApplication left. Returns the exit status when the command line has
  // been answered (help, version, wrong usage); nothing when the editor is to start.
  std::optional<int> read(int argc, char* argv[]);

  // The argument's own bytes, as the file system names the file; empty when the user is to pick
  // the database in the file dialog.
  const std::string& databasePath() const { return databasePath_; }
  // Whether to print what the main window shows once started, and quit.
  bool printWindow() const { return parser_.isSet(printWindow_); }

 private:
  QCommandLineParser parser_;
  QCommandLineOption help_;
  QCommandLineOption version_;
  QCommandLineOption printWindow_;
  std::string databasePath_;
};

// Writes `text` to standard output; when that fails, says why on standard error and returns false.
bool writeOutput(const QString& text);

}  // namespace zelbor::app
