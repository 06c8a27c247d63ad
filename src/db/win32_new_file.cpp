#include <windows.h>

#include <algorithm>

#include "new_file.h"
#include "win32_text.h"

namespace zelbor::db {

Result<void> writeNewFile(const std::string& path, std::span<const Byte> bytes) {
  const auto failure = [&path](const char* action, DWORD error) {
    return FileError{
        path, std::string("Cannot ") + action + " \"" + path + "\": " + systemReason(error) + "."};
  };
  const std::wstring widePath = wideFromUtf8(path);
  const HANDLE handle = ::CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return failure("create", ::GetLastError());
  std::size_t done = 0;
  DWORD error = 0;
  while (done < bytes.size() && error == 0) {
    DWORD put = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::WriteFile(handle, bytes.data() + done, wanted, &put, nullptr)) {
      error = ::GetLastError();
    } else if (put == 0) {
      error = ERROR_WRITE_FAULT;
    }
    done += put;
  }
  if (error == 0 && !::FlushFileBuffers(handle)) error = ::GetLastError();
  if (!::CloseHandle(handle) && error == 0) error = ::GetLastError();
  if (error == 0) return {};
  ::DeleteFileW(widePath.c_str());
  return failure("write", error);
}

}  // namespace zelbor::db
