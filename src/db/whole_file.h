#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "file_access.h"

namespace zelbor::db {

// Every byte of a file read whole: a list file, an import's input. A file larger than `sizeLimit`
// is refused, not read; the message calls the file `what` ("a list file").
Result<std::vector<Byte>> readWholeFile(FileSystem& fileSystem, const Path& path,
                                        std::uint64_t sizeLimit, std::string_view what);

}  // namespace zelbor::db
