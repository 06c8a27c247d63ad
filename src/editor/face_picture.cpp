#include "face_picture.h"

namespace zelbor::editor {

std::string facePicturePath(const std::string& programFolder, int face) {
  return programFolder + "/faces/" + std::to_string(face) + ".jpg";
}

}  // namespace zelbor::editor
