#include "win32_io.h"

#include <algorithm>

#include "win32_text.h"

namespace zelbor::db {

FileError systemError(const Path& path, const std::string& action, DWORD error) {
  return {path.utf8(), "Cannot " + action + " \"" + path.utf8() + "\": " + systemReason(error) + "."};
}

DWORD writeAll(HANDLE handle, std::span<const Byte> bytes) {
  while (!bytes.empty()) {
    DWORD put = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(handle, bytes.data(), wanted, &put, nullptr)) return ::GetLastError();
    if (put == 0) return ERROR_WRITE_FAULT;
    bytes = bytes.subspan(put);
  }
  return 0;
}

}  // namespace zelbor::db
