#include "editor_session.h"

#include <QCoreApplication>
#include <QLocale>
#include <cstdlib>

#include "db/backup_folder.h"
#include "db/config_file.h"
#include "db/file_access.h"
#include "editor/install_folder.h"

namespace zelbor::app {
namespace {

editor::EditorEnvironment environment() {
  return {QCoreApplication::applicationDirPath().toStdString(),
          editor::gameInstallFolders(std::getenv("WINEPREFIX"), std::getenv("HOME")),
          QLocale().decimalPoint().toStdString(), db::backupFolderFromEnvironment,
          db::editorConfigFile()};
}

}  // namespace

EditorSession::EditorSession()
    : prompts_(&window_),
      editor_(window_, prompts_, fileDialog_, browser_, db::systemFileSystem(), environment()) {
  window_.setEditor(editor_);
}

editor::StartupOutcome EditorSession::start(const std::string& databasePath) {
  return editor_.InitialiseEditor(databasePath);
}

}  // namespace zelbor::app
