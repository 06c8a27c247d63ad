#pragma once

#include <span>
#include <string>
#include <string_view>

#include "byte_order.h"
#include "file_access.h"

namespace zelbor::db {

// Creates `path`, which must not exist yet, with `bytes` flushed to the disk; a file it leaves
// half-written is removed.
Result<void> writeNewFile(FileSystem& fileSystem, const Path& path,
                          std::span<const Byte> bytes);

// Makes `bytes` the whole of the file at `path`. A regular file (or a new one) is replaced in one
// step: the bytes go to a temporary file beside it, with the attributes the user gave the old one,
// which is flushed, renamed over `path`, and the folder flushed; a failure leaves the old file as
// it was and removes the temporary file, and two programs doing this at once never share one. A
// read-only file is refused, and so is the open database `database` however `path` names it (a
// link, another spelling). A symbolic link to a regular file stays a link: the file it leads to
// is replaced. Anything else (a device such as NUL, a FIFO, a terminal) is written in place. Every
// failure names `path`.
Result<void> replaceFile(FileSystem& fileSystem, const Path& path, std::span<const Byte> bytes,
                         const Path& database);

// Whether `path` names the database `database`, by identity; an error when that cannot be told.
// For a caller that checks before doing the work whose output goes there.
Result<bool> namesDatabase(FileSystem& fileSystem, const Path& path, const Path& database);
// The refusal of a write to `path` that names the database.
FileError databaseAsOutput(const Path& path, const Path& database);

// A name for a temporary file: `path`, a dot, some 50 random bits and `extension`. Created only if
// no entry has it, another program's temporary file is never opened or replaced.
Path temporaryName(const Path& path, std::string_view extension);

// The folder part of a path ("." for a bare name), and the name after it.
Path folderOf(const Path& path);
std::string nameOf(const Path& path);

}  // namespace zelbor::db
