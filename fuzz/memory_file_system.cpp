#include "memory_file_system.h"

#include <algorithm>

namespace zelbor::fuzz {
namespace {

class MemoryFile final : public db::File {
 public:
  MemoryFile(std::vector<db::Byte>& contents, std::string path, bool writable, bool growable)
      : contents_(contents), path_(std::move(path)), writable_(writable), growable_(growable) {}

  db::Result<db::FileStatus> status() override { return db::FileStatus{contents_.size(), 1, 1}; }

  db::Result<void> readAt(std::uint64_t offset, std::span<db::Byte> into) override {
    if (offset > contents_.size() || into.size() > contents_.size() - offset) {
      return db::FileError{path_, "Cannot read \"" + path_ + "\": the file ends early."};
    }
    std::copy_n(contents_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
    return {};
  }

  db::Result<void> writeAt(std::uint64_t offset, std::span<const db::Byte> from) override {
    if (growable_ && offset + from.size() > contents_.size()) {
      contents_.resize(static_cast<std::size_t>(offset + from.size()));
    }
    // A write past the end would extend the database, which must never be asked for.
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
  bool growable_;
};

db::FileError missing(const std::string& path, const char* action) {
  return {path, std::string("Cannot ") + action + " \"" + path + "\": No such file."};
}

}  // namespace

db::Result<std::unique_ptr<db::File>> MemoryFileSystem::openExisting(const db::Path& pathName,
                                                                     db::OpenMode mode) {
  const std::string& path = pathName.utf8();
  const bool writable = mode == db::OpenMode::ReadWrite;
  if (const auto file = created_.find(path); file != created_.end()) {
    return std::unique_ptr<db::File>(
        std::make_unique<MemoryFile>(file->second, path, writable, false));
  }
  return std::unique_ptr<db::File>(std::make_unique<MemoryFile>(contents_, path, writable, false));
}

db::Result<db::PathEntry> MemoryFileSystem::examine(const db::Path& path) {
  if (!created_.contains(path.utf8())) return db::PathEntry{};
  return db::PathEntry{db::PathEntry::Kind::RegularFile, false, {}, {}};
}

db::Result<std::unique_ptr<db::File>> MemoryFileSystem::openInPlace(const db::Path& path) {
  return missing(path.utf8(), "write");
}

db::Result<std::unique_ptr<db::File>> MemoryFileSystem::createNew(const db::Path& pathName,
                                                                  const db::KeptAttributes&) {
  const std::string& path = pathName.utf8();
  const auto [file, added] = created_.try_emplace(path);
  if (!added) return db::FileError{path, "Cannot create \"" + path + "\": File exists."};
  return std::unique_ptr<db::File>(std::make_unique<MemoryFile>(file->second, path, true, true));
}

db::Result<void> MemoryFileSystem::rename(const db::Path& from, const db::Path& to) {
  const auto file = created_.find(from.utf8());
  if (file == created_.end()) return missing(from.utf8(), "rename");
  std::vector<db::Byte> bytes = std::move(file->second);
  created_.erase(file);
  created_[to.utf8()] = std::move(bytes);
  return {};
}

db::Result<void> MemoryFileSystem::remove(const db::Path& path) {
  if (created_.erase(path.utf8()) == 0) return missing(path.utf8(), "remove");
  return {};
}

db::Result<std::vector<std::string>> MemoryFileSystem::listFolder(const db::Path& folder) {
  std::vector<std::string> names;
  const std::string prefix = folder.utf8() + "/";
  for (const auto& [path, bytes] : created_) {
    if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos)
      names.push_back(path.substr(prefix.size()));
  }
  return names;
}

}  // namespace zelbor::fuzz
