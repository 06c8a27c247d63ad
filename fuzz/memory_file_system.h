#pragma once

#include <string>
#include <vector>

#include "db/file_access.h"

namespace zelbor::fuzz {

// One file held in memory under any path, so the fuzzers exercise the database without a disk.
class MemoryFileSystem final : public db::FileSystem {
 public:
  explicit MemoryFileSystem(std::vector<db::Byte> contents) : contents_(std::move(contents)) {}

  db::Result<std::unique_ptr<db::File>> openExisting(const std::string& path,
                                                     db::OpenMode mode) override;
  db::Result<bool> isReadOnly(const std::string&) override { return false; }

  const std::vector<db::Byte>& contents() const { return contents_; }

 private:
  std::vector<db::Byte> contents_;
};

}  // namespace zelbor::fuzz
