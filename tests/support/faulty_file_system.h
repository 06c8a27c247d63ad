#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "db/file_access.h"

namespace zelbor::testing {

enum class FileCall { Open, Status, Read, Write, Sync, Lock, Close, IsReadOnly };

enum class Fault {
  None,
  Fail,      // the call fails with EIO and has no effect
  CutShort,  // a write puts the first half of its bytes, then fails
};

// Passes every call to a real file system, numbering the calls from 1, and fails the ones the
// test chooses. Also counts the files left open.
class FaultyFileSystem final : public db::FileSystem {
 public:
  using FaultRule = std::function<Fault(int callNumber, FileCall call)>;

  explicit FaultyFileSystem(db::FileSystem& real) : real_(real) {}

  void setRule(FaultRule rule) { rule_ = std::move(rule); }
  int callCount() const { return calls_; }
  // Every call so far, in order.
  const std::vector<FileCall>& calls() const { return log_; }
  int openFiles() const { return *openFiles_; }

  db::Result<std::unique_ptr<db::File>> openExisting(const std::string& path,
                                                     db::OpenMode mode) override;
  db::Result<bool> isReadOnly(const std::string& path) override;

  // Numbers the next call and returns the fault chosen for it.
  Fault next(FileCall call);

 private:
  db::FileSystem& real_;
  FaultRule rule_;
  int calls_ = 0;
  std::vector<FileCall> log_;
  std::shared_ptr<int> openFiles_ = std::make_shared<int>(0);
};

}  // namespace zelbor::testing
