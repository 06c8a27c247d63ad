#pragma once

#include <span>
#include <string>

#include "byte_order.h"
#include "result.h"

namespace zelbor::db {

// Creates `path`, which must not exist yet, with `bytes` flushed to the disk; a file it leaves
// half-written is removed. Apart from FileSystem, whose files are only ever opened.
Result<void> writeNewFile(const std::string& path, std::span<const Byte> bytes);

}  // namespace zelbor::db
