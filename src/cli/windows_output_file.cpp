#include <windows.h>

#include "db/win32_io.h"
#include "db/win32_text.h"
#include "output_file.h"

namespace zelbor::cli {
namespace {

db::FileError writeError(const std::string& path, DWORD error) {
  return db::systemError(path, "write", error);
}

db::Result<void> writeTo(const std::wstring& target, DWORD disposition, DWORD attributes,
                         const std::string& path, std::string_view bytes) {
  const HANDLE handle =
      ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, disposition, attributes, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return writeError(path, ::GetLastError());
  DWORD error = db::writeAll(handle, db::bytesOf(bytes));
  if (error == 0 && disposition == CREATE_NEW && !::FlushFileBuffers(handle)) {
    error = ::GetLastError();
  }
  if (!::CloseHandle(handle) && error == 0) error = ::GetLastError();
  if (error != 0) return writeError(path, error);
  return {};
}

// The bytes go to a new file beside the target, with the attributes the user gave the old one
// (hidden, say), which then takes its name.
db::Result<void> replaceFile(const std::wstring& target, DWORD attributes, const std::string& path,
                             std::string_view bytes) {
  const std::wstring temporary = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  db::Result<void> written = writeTo(temporary, CREATE_NEW, attributes, path, bytes);
  if (written && !::MoveFileExW(temporary.c_str(), target.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    written = writeError(path, ::GetLastError());
  }
  if (!written) ::DeleteFileW(temporary.c_str());
  return written;
}

// The attributes a replacement keeps; the others describe the old file's storage, not the user's
// wish.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

db::Result<void> writeOutputFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = db::wideFromUtf8(path);
  db::Target found;
  if (const DWORD error = lookAt(target, found); error != 0) return writeError(path, error);
  if (found.kind == db::Target::Kind::Nothing) {
    return replaceFile(target, FILE_ATTRIBUTE_NORMAL, path, bytes);
  }
  if (found.kind == db::Target::Kind::Device) {
    return writeTo(target, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, path, bytes);
  }
  const DWORD attributes = found.information.dwFileAttributes;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return db::FileError{path, "Cannot write \"" + path + "\": it is a folder."};
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return db::FileError{path, "Cannot write \"" + path + "\": the file is read-only."};
  }
  const DWORD kept = attributes & kKeptAttributes;
  return replaceFile(target, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, path, bytes);
}

}  // namespace zelbor::cli
