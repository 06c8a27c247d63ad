#pragma once

#include <string>
#include <utility>

#include "forwarding_file_system.h"

namespace zelbor::testing {

// Marks one file read-only while still opening it for writing, as the system does for root: then
// only the read-only check keeps a write out of it.
class ReadOnlyMarkedFileSystem final : public ForwardingFileSystem {
 public:
  ReadOnlyMarkedFileSystem(db::FileSystem& real, std::string markedPath)
      : ForwardingFileSystem(real), markedPath_(std::move(markedPath)) {}

  db::Result<bool> isReadOnly(const std::string& path) override {
    if (path == markedPath_) return true;
    return ForwardingFileSystem::isReadOnly(path);
  }

 private:
  std::string markedPath_;
};

}  // namespace zelbor::testing
