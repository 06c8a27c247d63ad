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

  db::Result<std::unique_ptr<db::File>> openExisting(const std::string& path,
                                                     db::OpenMode mode) override;
  db::Result<bool> isReadOnly(const std::string&) override { return false; }
  db::Result<std::unique_ptr<db::File>> createNew(const std::string& path) override;
  db::Result<void> rename(const std::string& from, const std::string& to) override;
  db::Result<void> remove(const std::string& path) override;
  db::Result<std::vector<std::string>> listFolder(const std::string& folder) override;
  db::Result<void> makeFolder(const std::string&, db::LinkedFolder) override { return {}; }
  db::Result<void> syncFolder(const std::string&) override { return {}; }

  const std::vector<db::Byte>& contents() const { return contents_; }

 private:
  std::vector<db::Byte> contents_;
  std::map<std::string, std::vector<db::Byte>> created_;
};

}  // namespace zelbor::fuzz
