#pragma once

#include "db/file_access.h"

namespace zelbor::testing {

// Passes every call to another file system; a double overrides the calls it changes, so a call
// added to FileSystem reaches every double at once.
class ForwardingFileSystem : public db::FileSystem {
 public:
  explicit ForwardingFileSystem(db::FileSystem& real) : real_(real) {}

  db::Result<std::unique_ptr<db::File>> openExisting(const db::Path& path,
                                                     db::OpenMode mode) override {
    return real_.openExisting(path, mode);
  }
  db::Result<bool> isReadOnly(const db::Path& path) override { return real_.isReadOnly(path); }
  db::Result<db::PathEntry> examine(const db::Path& path) override {
    return real_.examine(path);
  }
  db::Result<std::unique_ptr<db::File>> openInPlace(const db::Path& path) override {
    return real_.openInPlace(path);
  }
  db::Result<std::unique_ptr<db::File>> createNew(const db::Path& path,
                                                  const db::KeptAttributes& attributes) override {
    return real_.createNew(path, attributes);
  }
  db::Result<void> rename(const db::Path& from, const db::Path& to) override {
    return real_.rename(from, to);
  }
  db::Result<void> remove(const db::Path& path) override { return real_.remove(path); }
  db::Result<std::vector<std::string>> listFolder(const db::Path& folder) override {
    return real_.listFolder(folder);
  }
  db::Result<void> makeFolder(const db::Path& folder, db::LinkedFolder links) override {
    return real_.makeFolder(folder, links);
  }
  db::Result<void> syncFolder(const db::Path& folder) override {
    return real_.syncFolder(folder);
  }
  db::Result<bool> sameFile(const db::Path& first, const db::Path& second) override {
    return real_.sameFile(first, second);
  }

 protected:
  db::FileSystem& real() { return real_; }

 private:
  db::FileSystem& real_;
};

}  // namespace zelbor::testing
