#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "forwarding_file_system.h"

namespace zelbor::testing {

enum class FileCall {
  Open,
  Status,
  Read,
  Write,
  Sync,
  Lock,
  Close,
  IsReadOnly,
  Examine,
  OpenInPlace,
  Create,
  Rename,
  Remove,
  ListFolder,
  MakeFolder,
  SyncFolder,
  SameFile,
};

enum class Fault {
  None,
  Fail,      // the call fails with EIO and has no effect
  CutShort,  // a write puts the first half of its bytes, then fails
};

// Passes every call to a real file system, numbering the calls from 1, and fails the ones the
// test chooses. Also counts the files left open.
class FaultyFileSystem final : public ForwardingFileSystem {
 public:
  using FaultRule = std::function<Fault(int callNumber, FileCall call)>;

  explicit FaultyFileSystem(db::FileSystem& real) : ForwardingFileSystem(real) {}

  void setRule(FaultRule rule) { rule_ = std::move(rule); }
  int callCount() const { return calls_; }
  // Every call so far, in order.
  const std::vector<FileCall>& calls() const { return log_; }
  int openFiles() const { return *openFiles_; }

  db::Result<std::unique_ptr<db::File>> openExisting(const db::Path& path,
                                                     db::OpenMode mode) override;
  db::Result<bool> isReadOnly(const db::Path& path) override;
  db::Result<db::PathEntry> examine(const db::Path& path) override;
  db::Result<std::unique_ptr<db::File>> openInPlace(const db::Path& path) override;
  db::Result<std::unique_ptr<db::File>> createNew(const db::Path& path,
                                                  const db::KeptAttributes& attributes) override;
  db::Result<void> rename(const db::Path& from, const db::Path& to) override;
  db::Result<void> remove(const db::Path& path) override;
  db::Result<std::vector<std::string>> listFolder(const db::Path& folder) override;
  db::Result<void> makeFolder(const db::Path& folder, db::LinkedFolder links) override;
  db::Result<void> syncFolder(const db::Path& folder) override;
  db::Result<bool> sameFile(const db::Path& first, const db::Path& second) override;

  // Numbers the next call and returns the fault chosen for it.
  Fault next(FileCall call);

 private:
  // Wraps a file the real file system opened or created, so its calls can fail too.
  db::Result<std::unique_ptr<db::File>> wrap(db::Result<std::unique_ptr<db::File>> file,
                                             const db::Path& path);

  FaultRule rule_;
  int calls_ = 0;
  std::vector<FileCall> log_;
  std::shared_ptr<int> openFiles_ = std::make_shared<int>(0);
};

}  // namespace zelbor::testing
