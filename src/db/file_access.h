#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "byte_order.h"
#include "path.h"
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
  // Writes all of `from`, continuing short writes. A file opened in place writes in order, each
  // write after the last, whatever the offset: a FIFO or a terminal has no offsets.
  virtual Result<void> writeAt(std::uint64_t offset, std::span<const Byte> from) = 0;
  // Flushes written data to the disk.
  virtual Result<void> sync() = 0;
  // Takes the writer's lock our programs hold across a whole write operation, without waiting:
  // true when taken, false when another open file holds it. Closing the file releases it.
  virtual Result<bool> tryLock() = 0;
  virtual Result<void> close() = 0;
};

enum class OpenMode { ReadOnly, ReadWrite };

// What a file replacing another keeps of it: its permission bits (POSIX), or its hidden, system,
// archive and not-indexed attributes (Windows). Unset, a new file gets the system's defaults.
struct KeptAttributes {
  std::optional<std::uint32_t> bits;
};

// What a path names, looked at without opening it.
struct PathEntry {
  enum class Kind {
    Nothing,
    RegularFile,
    // A device, a FIFO, a terminal, a folder, a link to none of the above: opened and written as
    // it is.
    Other,
  };
  Kind kind = Kind::Nothing;
  // A regular file without write permission bits, or with its read-only attribute set.
  bool readOnly = false;
  KeptAttributes attributes;
  // The regular file a symbolic link leads to (POSIX), so that a replacement takes its place and
  // the link stays a link; empty for the path itself.
  Path linkedFile;
};

// Whether a folder reached through a symbolic link (or a junction) is taken as the folder.
enum class LinkedFolder { Refused, Accepted };

// All file access goes through this interface, so tests can fail any call. A database is only
// ever opened, never created, truncated or appended to; new files (backups, a sample, an output
// replaced in one step) are created beside their final name and renamed into place. Only an
// output that is no regular file is written in place.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens a regular file. Anything else (a FIFO, a device, a folder) is refused at once, without
  // waiting for the other end of a FIFO, with "not a regular file" as the reason.
  virtual Result<std::unique_ptr<File>> openExisting(const Path& path, OpenMode mode) = 0;
  // True when the file cannot be written: no write permission bits, a read-only mount or an
  // immutable file; on Windows the read-only attribute or a refused write open.
  virtual Result<bool> isReadOnly(const Path& path) = 0;

  // What `path` names; a path naming nothing is no error.
  virtual Result<PathEntry> examine(const Path& path) = 0;
  // Opens what `path` names for writing in place, as it stands (a device, a FIFO, whose reader it
  // waits for, a terminal), emptying a regular file reached through a link.
  virtual Result<std::unique_ptr<File>> openInPlace(const Path& path) = 0;
  // Creates a new regular file with the attributes given, open for writing; an existing entry of
  // that name is refused.
  virtual Result<std::unique_ptr<File>> createNew(const Path& path,
                                                  const KeptAttributes& attributes) = 0;
  // Gives the file `from` the name `to` in one step, replacing a file of that name.
  virtual Result<void> rename(const Path& from, const Path& to) = 0;
  virtual Result<void> remove(const Path& path) = 0;
  // The names of the entries in a folder, in no particular order.
  virtual Result<std::vector<std::string>> listFolder(const Path& folder) = 0;
  // Creates the folder, for its owner only, unless it exists; an existing entry must be a folder:
  // a FIFO or a file is refused, and a symbolic link too unless `links` accepts one that leads
  // to a folder. Its parent must exist.
  virtual Result<void> makeFolder(const Path& folder, LinkedFolder links) = 0;
  // Flushes the folder's entries to the disk, so a rename into it survives a power cut.
  virtual Result<void> syncFolder(const Path& folder) = 0;
  // Whether two paths name one file, however either is spelled: told by the identity of the file
  // (device and inode; volume serial and file index), never by comparing the paths. A path naming
  // nothing, or a device, names no file of the other. Anything else that cannot be told is an
  // error naming the path.
  virtual Result<bool> sameFile(const Path& first, const Path& second) = 0;
};

// The production file system, on this platform's calls: POSIX or Win32, chosen at build time.
FileSystem& systemFileSystem();

}  // namespace zelbor::db
