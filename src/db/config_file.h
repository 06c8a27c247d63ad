#pragma once

#include <string>

namespace zelbor::db {

// Where the editor's configuration file is: $XDG_CONFIG_HOME/zelbor-player-editor/editor.conf
// (~/.config when it is unset) on Linux, %APPDATA%\Zelbor Player Editor\editor.conf on Windows.
// Empty when the environment names no such folder.
std::string editorConfigFile();

}  // namespace zelbor::db
