#pragma once

#include <span>
#include <string>

#include "byte_order.h"
#include "path.h"
#include "result.h"

namespace zelbor::db {

// What the POSIX file code shares: the wording of a failed call and a whole write.

// "Cannot <action> "<path>": <the system's reason>."
FileError systemError(const Path& path, const std::string& action, int error);

// Writes all of `bytes` at the descriptor's position, continuing short writes; 0 when done, else
// the errno of the failure.
int writeAll(int descriptor, std::span<const Byte> bytes);

}  // namespace zelbor::db
