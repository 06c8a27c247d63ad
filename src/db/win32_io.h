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

// What a path names. A look never writes: the handle reads attributes only and shares everything,
// so a game holding the file open does not stop it.
struct Target {
  enum class Kind { Nothing, Device, DiskFile };
  Kind kind = Kind::Nothing;
  BY_HANDLE_FILE_INFORMATION information{};
};

// 0 and what `path` names, or the error code of the failure.
DWORD lookAt(const std::wstring& path, Target& target);

}  // namespace zelbor::db
