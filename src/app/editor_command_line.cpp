#include "editor_command_line.h"

#include <QStringList>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "version.h"

namespace zelbor::app {
namespace {

// Added by addHelpOption along with --help.
const QString kHelpAll = "help-all";

void writeError(const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stderr);
}

QStringList decoded(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace

EditorCommandLine::EditorCommandLine()
    : help_(parser_.addHelpOption()),
      version_({"v", "version"}, "Displays version information."),
      printWindow_("print-window",
                   "Prints what the main window shows once started, then quits; checks an "
                   "installation from outside.") {
  parser_.setApplicationDescription(
      "Edits the players of a Zelbor player database (TeamAndPlayerInfo.bag) in place.");
  parser_.addOption(version_);
  printWindow_.setFlags(QCommandLineOption::HiddenFromHelp);
  parser_.addOption(printWindow_);
  parser_.addPositionalArgument(
      "DATABASE", "The database to open; without it the editor asks for it in a file dialog.",
      "[DATABASE]");
}

void EditorCommandLine::needNoDisplayForText(int argc, char* argv[]) {
  // Qt's own options (-platform, -style) are unknown here; they fail this early look only.
  if (parser_.parse(decoded(argc, argv)) &&
      (parser_.isSet(help_) || parser_.isSet(kHelpAll) || parser_.isSet(version_))) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

std::optional<int> EditorCommandLine::read(int argc, char* argv[]) {
  const QStringList arguments = decoded(argc, argv);
  if (!parser_.parse(arguments)) {
    writeError("zelbor-editor: " + parser_.errorText() + "\n\n" + parser_.helpText());
    return 2;
  }
  // Only Qt words the help with its own options; it prints it and ends the process.
  if (parser_.isSet(kHelpAll)) parser_.process(arguments);
  if (parser_.isSet(help_)) return writeOutput(parser_.helpText()) ? 0 : 1;
  if (parser_.isSet(version_)) {
    const QString version = QString::fromUtf8(kVersion.data(), kVersion.size());
    return writeOutput("zelbor-editor " + version + "\n") ? 0 : 1;
  }
  if (parser_.positionalArguments().size() > 1) {
    writeError("zelbor-editor: Open one database at a time.\n\n" + parser_.helpText());
    return 2;
  }
  // Decoding may not survive a name that is not valid in the locale's encoding: keep the bytes of
  // the argument that is the database.
  if (!parser_.positionalArguments().isEmpty()) {
    const int index =
        static_cast<int>(arguments.lastIndexOf(parser_.positionalArguments().front()));
    databasePath_ = argv[index];
  }
  return std::nullopt;
}

bool writeOutput(const QString& text) {
  if (std::fputs(text.toLocal8Bit().constData(), stdout) >= 0 && std::fflush(stdout) == 0) {
    return true;
  }
  writeError(QString("zelbor-editor: Cannot write the output: %1\n").arg(std::strerror(errno)));
  return false;
}

}  // namespace zelbor::app
