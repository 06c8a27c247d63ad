#pragma once

#include <string>
#include <vector>

#include "file_access.h"

namespace zelbor::db {

// Every byte of a file that is not the database: a list file, an import's input.
Result<std::vector<Byte>> readWholeFile(FileSystem& fileSystem, const std::string& path);

}  // namespace zelbor::db
