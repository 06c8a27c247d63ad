#pragma once

#include <map>
#include <string>
#include <vector>

#include "db/file_access.h"

namespace zelbor::fuzz {

// One database held in memory under any path, so the fuzzers exercise the database without a
// disk; files the code creates (backups, their temporary files) are kept in memory by name.
class MemoryFileSystem final : public db::FileSystem {
 public:
  explicit MemoryFileSystem(std::vector<db::Byte> contents) : contents_(std::move(contents)) {}

  db::Result<std::unique_ptr<db::File>> openExisting(const db::Path& path,
                                                     db::OpenMode mode) override;
  db::Result<bool> isReadOnly(const db::Path&) override { return false; }
  db::Result<db::PathEntry> examine(const db::Path& path) override;
  // Only files are kept: nothing is written in place.
  db::Result<std::unique_ptr<db::File>> openInPlace(const db::Path& path) override;
  db::Result<std::unique_ptr<db::File>> createNew(const db::Path& path,
                                                  const db::KeptAttributes&) override;
  db::Result<void> rename(const db::Path& from, const db::Path& to) override;
  db::Result<void> remove(const db::Path& path) override;
  db::Result<std::vector<std::string>> listFolder(const db::Path& folder) override;
  db::Result<void> makeFolder(const db::Path&, db::LinkedFolder) override { return {}; }
  db::Result<void> syncFolder(const db::Path&) override { return {}; }
  db::Result<bool> sameFile(const db::Path& first, const db::Path& second) override {
    return first == second;
  }

  const std::vector<db::Byte>& contents() const { return contents_; }

 private:
  std::vector<db::Byte> contents_;
  std::map<std::string, std::vector<db::Byte>> created_;
};

}  // namespace zelbor::fuzz
