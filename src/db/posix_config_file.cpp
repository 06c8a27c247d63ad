#include <cstdlib>

#include "config_file.h"

namespace zelbor::db {

std::string editorConfigFile() {
  const char* const configHome = std::getenv("XDG_CONFIG_HOME");
  const char* const home = std::getenv("HOME");
  std::string folder;
  // A relative XDG_CONFIG_HOME is to be ignored.
  if (configHome != nullptr && configHome[0] == '/') {
    folder = configHome;
  } else if (home != nullptr && home[0] == '/') {
    folder = std::string(home) + "/.config";
  } else {
    return {};
  }
  return folder + "/zelbor-player-editor/editor.conf";
}

}  // namespace zelbor::db
