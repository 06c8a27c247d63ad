#pragma once

#include <string>

#include "db/file_access.h"

namespace zelbor::editor {

// What the user set in the editor's configuration file, lines of "key = value"; blank lines and
// lines starting with "#" are skipped.
struct EditorSettings {
  // lookup-address: the look-up's search address, "{name}" standing for the player's name.
  std::string lookupAddress;
};

// The settings of `path`, the defaults for what it does not set; all defaults without a path or
// a file. A line that cannot be read, an unknown key or a value that cannot serve is an error
// naming the file and the line.
db::Result<EditorSettings> readEditorSettings(db::FileSystem& fileSystem, const std::string& path);

}  // namespace zelbor::editor
