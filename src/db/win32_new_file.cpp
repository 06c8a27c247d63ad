#include "new_file.h"
#include "win32_io.h"
#include "win32_text.h"

namespace zelbor::db {

Result<void> writeNewFile(const std::string& path, std::span<const Byte> bytes) {
  const std::wstring widePath = wideFromUtf8(path);
  const HANDLE handle = ::CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return systemError(path, "create", ::GetLastError());
  DWORD error = writeAll(handle, bytes);
  if (error == 0 && !::FlushFileBuffers(handle)) error = ::GetLastError();
  if (!::CloseHandle(handle) && error == 0) error = ::GetLastError();
  if (error == 0) return {};
  ::DeleteFileW(widePath.c_str());
  return systemError(path, "write", error);
}

}  // namespace zelbor::db
