#pragma once

#include <span>
#include <string>

#include "byte_order.h"
#include "file_access.h"

namespace zelbor::db {

// Creates `path`, which must not exist yet, with `bytes` flushed to the disk; a file it leaves
// half-written is removed.
Result<void> writeNewFile(FileSystem& fileSystem, const Path& path,
                          std::span<const Byte> bytes);

// Makes `bytes` the whole of the regular file at `path` (or a new file there) in one step: they go
// to a temporary file beside it, which is flushed, renamed over `path`, and the folder flushed. A
// failure leaves the old file as it was and removes the temporary file. Two programs doing this
// at once never share a temporary file.
Result<void> replaceFile(FileSystem& fileSystem, const Path& path,
                         std::span<const Byte> bytes);

// The folder part of a path ("." for a bare name), and the name after it.
Path folderOf(const Path& path);
std::string nameOf(const Path& path);

}  // namespace zelbor::db
