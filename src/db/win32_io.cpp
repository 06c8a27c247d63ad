#include "win32_io.h"

#include <algorithm>

#include "win32_text.h"

namespace zelbor::db {
namespace {

// Device names (NUL, CON, COM1, also with a folder or an extension before them) have a full path
// in the device namespace. Opening CON for anything but reading or writing fails, so they are
// told by their name.
bool namesADevice(const std::wstring& path) {
  const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return false;
  std::wstring full(length, L'\0');
  full.resize(::GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  return full.starts_with(L"\\\\.\\");
}

}  // namespace

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

DWORD lookAt(const std::wstring& path, Target& target) {
  if (namesADevice(path)) {
    target.kind = Target::Kind::Device;
    return 0;
  }
  const HANDLE handle = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return error;
    target.kind = Target::Kind::Nothing;
    return 0;
  }
  DWORD error = 0;
  const DWORD type = ::GetFileType(handle);
  if (type == FILE_TYPE_DISK) {
    target.kind = Target::Kind::DiskFile;
    if (!::GetFileInformationByHandle(handle, &target.information)) error = ::GetLastError();
  } else if (type != FILE_TYPE_UNKNOWN || (error = ::GetLastError()) == NO_ERROR) {
    target.kind = Target::Kind::Device;
  }
  ::CloseHandle(handle);
  return error;
}

}  // namespace zelbor::db
