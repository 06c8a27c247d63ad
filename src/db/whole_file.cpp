#include "whole_file.h"

namespace zelbor::db {

Result<std::vector<Byte>> readWholeFile(FileSystem& fileSystem, const Path& path,
                                        std::uint64_t sizeLimit, std::string_view what) {
  auto file = fileSystem.openExisting(path, OpenMode::ReadOnly);
  if (!file) return file.error();
  const Result<FileStatus> status = file.value()->status();
  if (!status) return status.error();
  if (status.value().size > sizeLimit) {
    return FileError{path.utf8(), "Cannot read \"" + path.utf8() + "\": it is " +
                               std::to_string(status.value().size) + " bytes long; " +
                               std::string(what) + " may hold at most " +
                               std::to_string(sizeLimit) + " bytes."};
  }
  std::vector<Byte> bytes(status.value().size);
  if (Result<void> read = file.value()->readAt(0, bytes); !read) return read.error();
  if (Result<void> closed = file.value()->close(); !closed) return closed.error();
  return bytes;
}

}  // namespace zelbor::db
