#include <windows.h>

#include "db/win32_io.h"
#include "db/win32_text.h"
#include "output_file.h"

namespace zelbor::cli {
namespace {

db::FileError writeError(const std::string& path, DWORD error) {
  return db::systemError(path, "write", error);
}

db::Result<void> writeTo(const std::wstring& target, DWORD disposition, const std::string& path,
                         std::string_view bytes) {
  const HANDLE handle = ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return writeError(path, ::GetLastError());
  DWORD error = db::writeAll(handle, db::bytesOf(bytes));
  if (error == 0 && disposition == CREATE_NEW && !::FlushFileBuffers(handle)) {
    error = ::GetLastError();
  }
  if (!::CloseHandle(handle) && error == 0) error = ::GetLastError();
  if (error != 0) return writeError(path, error);
  return {};
}

// The bytes go to a new file beside the target, which then takes its name.
db::Result<void> replaceFile(const std::wstring& target, const std::string& path,
                             std::string_view bytes) {
  const std::wstring temporary = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  db::Result<void> written = writeTo(temporary, CREATE_NEW, path, bytes);
  if (written && !::MoveFileExW(temporary.c_str(), target.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    written = writeError(path, ::GetLastError());
  }
  if (!written) ::DeleteFileW(temporary.c_str());
  return written;
}

}  // namespace

db::Result<void> writeOutputFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = db::wideFromUtf8(path);
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return replaceFile(target, path, bytes);
    // A device such as CON or NUL is written in place.
    return writeTo(target, OPEN_EXISTING, path, bytes);
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return db::FileError{path, "Cannot write \"" + path + "\": the file is read-only."};
  }
  return replaceFile(target, path, bytes);
}

}  // namespace zelbor::cli
