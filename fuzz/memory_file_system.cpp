#include "memory_file_system.h"

#include <algorithm>

namespace zelbor::fuzz {
namespace {

class MemoryFile final : public db::File {
 public:
  MemoryFile(std::vector<db::Byte>& contents, std::string path, bool writable)
      : contents_(contents), path_(std::move(path)), writable_(writable) {}

  db::Result<db::FileStatus> status() override { return db::FileStatus{contents_.size(), 1, 1}; }

  db::Result<void> readAt(std::uint64_t offset, std::span<db::Byte> into) override {
    if (offset > contents_.size() || into.size() > contents_.size() - offset) {
      return db::FileError{path_, "Cannot read \"" + path_ + "\": the file ends early."};
    }
    std::copy_n(contents_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
    return {};
  }

  db::Result<void> writeAt(std::uint64_t offset, std::span<const db::Byte> from) override {
    // A write past the end would extend the file, which the database must never ask for.
    if (!writable_ || offset > contents_.size() || from.size() > contents_.size() - offset) {
      __builtin_trap();
    }
    std::copy(from.begin(), from.end(), contents_.begin() + static_cast<std::ptrdiff_t>(offset));
    return {};
  }

  db::Result<void> sync() override { return {}; }
  // One process, one file: nobody else can hold the lock.
  db::Result<bool> tryLock() override { return true; }
  db::Result<void> close() override { return {}; }

 private:
  std::vector<db::Byte>& contents_;
  std::string path_;
  bool writable_;
};

}  // namespace

db::Result<std::unique_ptr<db::File>> MemoryFileSystem::openExisting(const std::string& path,
                                                                     db::OpenMode mode) {
  return std::unique_ptr<db::File>(
      std::make_unique<MemoryFile>(contents_, path, mode == db::OpenMode::ReadWrite));
}

}  // namespace zelbor::fuzz
