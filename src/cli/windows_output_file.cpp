#include <windows.h>

#include "db/win32_io.h"
#include "db/win32_text.h"
#include "output_file.h"

namespace zelbor::cli {
namespace {

// What a path names. A look never writes: the handle reads attributes only and shares everything,
// so a game holding the file open does not stop it.
struct Target {
  enum class Kind { Nothing, Device, DiskFile };
  Kind kind = Kind::Nothing;
  BY_HANDLE_FILE_INFORMATION information{};
};

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

// 0 and what `path` names, or the error code of the failure.
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

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

db::Result<void> writeOutputFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = db::wideFromUtf8(path);
  Target found;
  if (const DWORD error = lookAt(target, found); error != 0) return writeError(path, error);
  if (found.kind == Target::Kind::Nothing) {
    return replaceFile(target, FILE_ATTRIBUTE_NORMAL, path, bytes);
  }
  if (found.kind == Target::Kind::Device) {
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

db::Result<bool> namesTheSameFile(const std::string& output, const std::string& database) {
  Target outputFile;
  if (const DWORD error = lookAt(db::wideFromUtf8(output), outputFile); error != 0) {
    return db::systemError(output, "examine", error);
  }
  if (outputFile.kind != Target::Kind::DiskFile) return false;
  Target databaseFile;
  if (const DWORD error = lookAt(db::wideFromUtf8(database), databaseFile); error != 0) {
    return db::systemError(database, "examine", error);
  }
  return databaseFile.kind == Target::Kind::DiskFile &&
         sameIdentity(outputFile.information, databaseFile.information);
}

}  // namespace zelbor::cli
