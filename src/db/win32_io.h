#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "byte_order.h"
#include "path.h"
#include "result.h"

namespace zelbor::db {

// What the Win32 file code shares: the wording of a failed call and a whole write.

// "Cannot <action> "<path>": <the system's reason>."
FileError systemError(const Path& path, const std::string& action, DWORD error);

// Writes all of `bytes` at the handle's position, continuing short writes; 0 when done, else the
// error code of the failure.
DWORD writeAll(HANDLE handle, std::span<const Byte> bytes);

}  // namespace zelbor::db
