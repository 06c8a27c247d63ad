#include "face_picture.h"

#include "db/value_tables.h"

namespace zelbor::editor {

std::vector<std::string> faceListItems() {
  std::vector<std::string> items;
  items.reserve(db::kFaceCount);
  for (int face = 0; face < db::kFaceCount; ++face) items.push_back("Face " + std::to_string(face));
  return items;
}

std::string facePicturePath(const std::string& programFolder, int face) {
  return programFolder + "/faces/" + std::to_string(face) + ".jpg";
}

}  // namespace zelbor::editor
