#include <windows.h>

#include <algorithm>
#include <vector>

#include "file_access.h"
#include "win32_io.h"
#include "win32_text.h"

namespace zelbor::db {
namespace {

FileError failure(const Path& path, const std::string& action, const std::string& reason) {
  return {path.utf8(), "Cannot " + action + " \"" + path.utf8() + "\": " + reason + "."};
}

// OVERLAPPED carries the offset of a transfer on a handle opened for synchronous I/O.
OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED overlapped{};
  overlapped.Offset = static_cast<DWORD>(offset);
  overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return overlapped;
}

// Byte-range locks on Windows stop other handles' reads and writes of the range, so the writer's
// lock sits far beyond any real file's end, where the game never reads or writes.
constexpr std::uint64_t kWriterLockOffset = 0xFFFFFFFFFFFFFFFEull;

// One transfer is at most this long; longer ones continue like short transfers.
constexpr std::size_t kLongestTransfer = 1u << 30;

// Whether a file's writes go to their offsets or one after the other.
enum class Writes { AtOffsets, InOrder };

class Win32File final : public File {
 public:
  Win32File(std::string path, HANDLE handle, Writes writes = Writes::AtOffsets)
      : path_(std::move(path)), handle_(handle), writes_(writes) {}
  ~Win32File() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  Result<FileStatus> status() override {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle_, &information)) {
      return systemError(path_, "examine", ::GetLastError());
    }
    return FileStatus{
        (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow,
        information.dwVolumeSerialNumber,
        (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
  }

  Result<void> readAt(std::uint64_t offset, std::span<Byte> into) override {
    std::size_t done = 0;
    while (done < into.size()) {
      OVERLAPPED overlapped = at(offset + done);
      DWORD got = 0;
      const auto wanted = static_cast<DWORD>(std::min(into.size() - done, kLongestTransfer));
      if (!::ReadFile(handle_, into.data() + done, wanted, &got, &overlapped)) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_HANDLE_EOF) return systemError(path_, "read", error);
        got = 0;
      }
      if (got == 0) {
        return failure(
            path_, "read",
            "the file ends at byte " + std::to_string(offset + done) + ", before the data needed");
      }
      done += got;
    }
    return {};
  }

  Result<void> writeAt(std::uint64_t offset, std::span<const Byte> from) override {
    if (writes_ == Writes::InOrder) {
      if (const DWORD error = writeAll(handle_, from); error != 0) {
        return systemError(path_, "write", error);
      }
      return {};
    }
    std::size_t done = 0;
    while (done < from.size()) {
      OVERLAPPED overlapped = at(offset + done);
      DWORD put = 0;
      const auto wanted = static_cast<DWORD>(std::min(from.size() - done, kLongestTransfer));
      if (!::WriteFile(handle_, from.data() + done, wanted, &put, &overlapped)) {
        return systemError(path_, "write", ::GetLastError());
      }
      if (put == 0) return systemError(path_, "write", ERROR_WRITE_FAULT);
      done += put;
    }
    return {};
  }

  Result<void> sync() override {
    if (!::FlushFileBuffers(handle_)) return systemError(path_, "flush to disk", ::GetLastError());
    return {};
  }

  Result<bool> tryLock() override {
    OVERLAPPED overlapped = at(kWriterLockOffset);
    if (::LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                     &overlapped)) {
      return true;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return false;
    return systemError(path_, "lock", error);
  }

  Result<void> close() override {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    // Closing releases the writer's lock with the handle.
    if (!::CloseHandle(handle)) return systemError(path_, "close", ::GetLastError());
    return {};
  }

 private:
  std::string path_;
  HANDLE handle_;
  Writes writes_;
};

bool hasAttribute(const std::wstring& path, DWORD attribute) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute) != 0;
}

// The read-only attribute in the program's words: the system only says "Access is denied".
FileError readOnlyFile(const Path& path) {
  return failure(path, "write", "it is read-only (its read-only attribute is set)");
}

// A folder, a device or a pipe.
FileError notARegularFile(const Path& path) {
  return failure(path, "open", "not a regular file");
}

class Win32FileSystem final : public FileSystem {
 public:
  Result<std::unique_ptr<File>> openExisting(const Path& path, OpenMode mode) override {
    const std::wstring widePath = wideFromUtf8(path.utf8());
    const DWORD access = GENERIC_READ | (mode == OpenMode::ReadWrite ? GENERIC_WRITE : 0);
    // OPEN_EXISTING only: a file is never created or truncated. The game may hold the file open,
    // so reading and writing are shared.
    const HANDLE handle =
        ::CreateFileW(widePath.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_ACCESS_DENIED && hasAttribute(widePath, FILE_ATTRIBUTE_DIRECTORY)) {
        return notARegularFile(path);
      }
      if (error == ERROR_ACCESS_DENIED && mode == OpenMode::ReadWrite &&
          hasAttribute(widePath, FILE_ATTRIBUTE_READONLY)) {
        return readOnlyFile(path);
      }
      return systemError(path, "open", error);
    }
    auto file = std::make_unique<Win32File>(path.utf8(), handle);
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
      return notARegularFile(path);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
      return systemError(path, "open", ::GetLastError());
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return notARegularFile(path);
    // Windows refuses writing a read-only file; an administrator under Wine would not be.
    if (mode == OpenMode::ReadWrite && (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
      return readOnlyFile(path);
    }
    return std::unique_ptr<File>(std::move(file));
  }

  Result<bool> isReadOnly(const Path& path) override {
    const std::wstring widePath = wideFromUtf8(path.utf8());
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      return systemError(path, "examine", ::GetLastError());
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return true;
    // A folder is not read-only; opening it says what it is.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    // The attribute is not the only bar: permissions and write-protected media refuse the open.
    const HANDLE handle =
        ::CreateFileW(widePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      ::CloseHandle(handle);
      return false;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) return true;
    return systemError(path, "examine", error);
  }

  Result<PathEntry> examine(const Path& path) override {
    Target found;
    if (const DWORD error = lookAt(wideFromUtf8(path.utf8()), found); error != 0)
      return systemError(path, "examine", error);
    if (found.kind == Target::Kind::Nothing) return PathEntry{};
    const DWORD attributes = found.information.dwFileAttributes;
    if (found.kind == Target::Kind::Device || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return PathEntry{PathEntry::Kind::Other, false, {}, {}};
    // The others describe the old file's storage, not the user's wish.
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return PathEntry{PathEntry::Kind::RegularFile, (attributes & FILE_ATTRIBUTE_READONLY) != 0,
                     {kept != 0 ? std::optional<std::uint32_t>(kept) : std::nullopt},
                     {}};
  }

  Result<std::unique_ptr<File>> openInPlace(const Path& path) override {
    const std::wstring widePath = wideFromUtf8(path.utf8());
    if (hasAttribute(widePath, FILE_ATTRIBUTE_DIRECTORY)) {
      return failure(path, "write", "it is a folder");
    }
    const HANDLE handle = ::CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return systemError(path, "write", ::GetLastError());
    return std::unique_ptr<File>(std::make_unique<Win32File>(path.utf8(), handle, Writes::InOrder));
  }

  Result<std::unique_ptr<File>> createNew(const Path& path,
                                          const KeptAttributes& attributes) override {
    const HANDLE handle = ::CreateFileW(
        wideFromUtf8(path.utf8()).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
        CREATE_NEW, attributes.bits ? *attributes.bits : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return systemError(path, "create", ::GetLastError());
    return std::unique_ptr<File>(std::make_unique<Win32File>(path.utf8(), handle));
  }

  Result<void> rename(const Path& from, const Path& to) override {
    // Write-through: the new name is on disk when the call returns.
    if (!::MoveFileExW(wideFromUtf8(from.utf8()).c_str(), wideFromUtf8(to.utf8()).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return failure(to, "rename \"" + from.utf8() + "\" to", systemReason(::GetLastError()));
    }
    return {};
  }

  Result<void> remove(const Path& path) override {
    if (!::DeleteFileW(wideFromUtf8(path.utf8()).c_str()))
      return systemError(path, "remove", ::GetLastError());
    return {};
  }

  Result<std::vector<std::string>> listFolder(const Path& folder) override {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(wideFromUtf8(folder.utf8() + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return systemError(folder, "list", ::GetLastError());
    std::vector<std::string> names;
    do {
      const std::string name = utf8FromWide(found.cFileName);
      if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    if (error != ERROR_NO_MORE_FILES) return systemError(folder, "list", error);
    return names;
  }

  Result<void> makeFolder(const Path& folder, LinkedFolder links) override {
    const std::wstring widePath = wideFromUtf8(folder.utf8());
    if (::CreateDirectoryW(widePath.c_str(), nullptr)) return {};
    const DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return systemError(folder, "create the folder", error);
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
      return systemError(folder, "examine", ::GetLastError());
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && links == LinkedFolder::Refused) {
      return failure(folder, "use the folder", "it is a link or junction, not a folder of its own");
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      return failure(folder, "use the folder", "it is not a folder");
    return {};
  }

  // Renames are written through; Windows has no flush of a folder's entries.
  Result<void> syncFolder(const Path&) override { return {}; }

  Result<bool> sameFile(const Path& first, const Path& second) override {
    Target firstFile;
    if (const DWORD error = lookAt(wideFromUtf8(first.utf8()), firstFile); error != 0)
      return systemError(first, "examine", error);
    if (firstFile.kind != Target::Kind::DiskFile) return false;
    Target secondFile;
    if (const DWORD error = lookAt(wideFromUtf8(second.utf8()), secondFile); error != 0)
      return systemError(second, "examine", error);
    const BY_HANDLE_FILE_INFORMATION& a = firstFile.information;
    const BY_HANDLE_FILE_INFORMATION& b = secondFile.information;
    return secondFile.kind == Target::Kind::DiskFile &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
  }
};

}  // namespace

FileSystem& systemFileSystem() {
  static Win32FileSystem fileSystem;
  return fileSystem;
}

}  // namespace zelbor::db
