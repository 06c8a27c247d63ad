#include "editor_session.h"

#include <utility>

namespace zelbor::win32 {

EditorSession::EditorSession(db::FileSystem& fileSystem, editor::EditorEnvironment environment)
    : prompts_(window_.window()),
      fileDialog_(window_.window()),
      editor_(window_, prompts_, fileDialog_, browser_, fileSystem, std::move(environment)) {
  window_.setEditor(editor_);
}

editor::StartupOutcome EditorSession::start(const std::string& databasePath) {
  return editor_.InitialiseEditor(databasePath);
}

}  // namespace zelbor::win32
