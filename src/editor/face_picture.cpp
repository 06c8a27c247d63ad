#include "face_picture.h"

#include <string>

#include "db/filesystem_path.h"

namespace zelbor::editor {

db::Path facePicturePath(const db::Path& programFolder, int face) {
  const std::string name = std::to_string(face) + ".jpg";
  return db::pathOf(db::filesystemPath(programFolder) / u8"faces" /
                    std::u8string(name.begin(), name.end()));
}

}  // namespace zelbor::editor
