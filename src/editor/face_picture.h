#pragma once

#include "db/path.h"

namespace zelbor::editor {

// The picture file of face n: faces/<n>.jpg under the program's folder, n in decimal without
// leading zeros ("-1.jpg" when no face is selected, which no folder holds).
db::Path facePicturePath(const db::Path& programFolder, int face);

}  // namespace zelbor::editor
