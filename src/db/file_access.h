#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "byte_order.h"
#include "result.h"

namespace zelbor::db {

// What the file system says of an open file: its length and which file it is.
struct FileStatus {
  std::uint64_t size = 0;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;

  bool sameFileAs(const FileStatus& other) const {
    return device == other.device && inode == other.inode;
  }
};

// An open file. Every call reports its failure as a FileError naming the file; destroying a File
// closes it, so no error path leaves a descriptor open.
class File {
 public:
  virtual ~File() = default;

  virtual Result<FileStatus> status() = 0;
  // Reads exactly into.size() bytes; the file ending early is an error.
  virtual Result<void> readAt(std::uint64_t offset, std::span<Byte> into) = 0;
  // Writes all of `from`, continuing short writes.
  virtual Result<void> writeAt(std::uint64_t offset, std::span<const Byte> from) = 0;
  // Flushes written data to the disk.
  virtual Result<void> sync() = 0;
  // Takes the writer's lock our programs hold across a whole write operation, without waiting:
  // true when taken, false when another open file holds it. Closing the file releases it.
  virtual Result<bool> tryLock() = 0;
  virtual Result<void> close() = 0;
};

enum class OpenMode { ReadOnly, ReadWrite };

// All file access of the database goes through this interface, so tests can fail any call.
// Files are only ever opened, never created, truncated or appended to.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens a regular file. Anything else (a FIFO, a device, a folder) is refused at once, without
  // waiting for the other end of a FIFO, with "not a regular file" as the reason.
  virtual Result<std::unique_ptr<File>> openExisting(const std::string& path, OpenMode mode) = 0;
  // True when the file cannot be written: no write permission bits, a read-only mount or an
  // immutable file; on Windows the read-only attribute or a refused write open.
  virtual Result<bool> isReadOnly(const std::string& path) = 0;
};

// The production file system, on this platform's calls: POSIX or Win32, chosen at build time.
FileSystem& systemFileSystem();

}  // namespace zelbor::db
