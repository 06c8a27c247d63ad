#include "faulty_file_system.h"

namespace zelbor::testing {
namespace {

db::FileError injected(const db::Path& path, const char* action) {
  return {path.utf8(),
          std::string("Cannot ") + action + " \"" + path.utf8() + "\": Input/output error."};
}

class FaultyFile final : public db::File {
 public:
  FaultyFile(FaultyFileSystem& owner, std::unique_ptr<db::File> real, std::string path,
             std::shared_ptr<int> openFiles)
      : owner_(owner), real_(std::move(real)), path_(std::move(path)), openFiles_(openFiles) {
    ++*openFiles_;
  }
  ~FaultyFile() override { release(); }

  db::Result<db::FileStatus> status() override {
    if (owner_.next(FileCall::Status) != Fault::None) return injected(path_, "examine");
    return real_->status();
  }
  db::Result<void> readAt(std::uint64_t offset, std::span<db::Byte> into) override {
    if (owner_.next(FileCall::Read) != Fault::None) return injected(path_, "read");
    return real_->readAt(offset, into);
  }
  db::Result<void> writeAt(std::uint64_t offset, std::span<const db::Byte> from) override {
    const Fault fault = owner_.next(FileCall::Write);
    if (fault == Fault::CutShort) {
      (void)real_->writeAt(offset, from.first(from.size() / 2));
      return injected(path_, "write");
    }
    if (fault == Fault::Fail) return injected(path_, "write");
    return real_->writeAt(offset, from);
  }
  db::Result<void> sync() override {
    if (owner_.next(FileCall::Sync) != Fault::None) return injected(path_, "flush to disk");
    return real_->sync();
  }
  db::Result<bool> tryLock() override {
    if (owner_.next(FileCall::Lock) != Fault::None) return injected(path_, "lock");
    return real_->tryLock();
  }
  db::Result<void> close() override {
    const Fault fault = owner_.next(FileCall::Close);
    db::Result<void> closed = real_->close();
    release();
    if (fault != Fault::None) return injected(path_, "close");
    return closed;
  }

 private:
  void release() {
    if (!released_) --*openFiles_;
    released_ = true;
  }

  FaultyFileSystem& owner_;
  std::unique_ptr<db::File> real_;
  std::string path_;
  std::shared_ptr<int> openFiles_;
  bool released_ = false;
};

}  // namespace

Fault FaultyFileSystem::next(FileCall call) {
  ++calls_;
  log_.push_back(call);
  return rule_ ? rule_(calls_, call) : Fault::None;
}

db::Result<std::unique_ptr<db::File>> FaultyFileSystem::wrap(
    db::Result<std::unique_ptr<db::File>> file, const db::Path& path) {
  if (!file) return file.error();
  return std::unique_ptr<db::File>(
      std::make_unique<FaultyFile>(*this, std::move(file).value(), path.utf8(), openFiles_));
}

db::Result<std::unique_ptr<db::File>> FaultyFileSystem::openExisting(const db::Path& path,
                                                                     db::OpenMode mode) {
  if (next(FileCall::Open) != Fault::None) return injected(path, "open");
  return wrap(real().openExisting(path, mode), path);
}

db::Result<bool> FaultyFileSystem::isReadOnly(const db::Path& path) {
  if (next(FileCall::IsReadOnly) != Fault::None) return injected(path, "examine");
  return real().isReadOnly(path);
}

db::Result<db::PathEntry> FaultyFileSystem::examine(const db::Path& path) {
  if (next(FileCall::Examine) != Fault::None) return injected(path, "examine");
  return real().examine(path);
}

db::Result<std::unique_ptr<db::File>> FaultyFileSystem::openInPlace(const db::Path& path) {
  if (next(FileCall::OpenInPlace) != Fault::None) return injected(path, "write");
  return wrap(real().openInPlace(path), path);
}

db::Result<std::unique_ptr<db::File>> FaultyFileSystem::createNew(
    const db::Path& path, const db::KeptAttributes& attributes) {
  if (next(FileCall::Create) != Fault::None) return injected(path, "create");
  return wrap(real().createNew(path, attributes), path);
}

db::Result<void> FaultyFileSystem::rename(const db::Path& from, const db::Path& to) {
  if (next(FileCall::Rename) != Fault::None) return injected(from, "rename");
  return real().rename(from, to);
}

db::Result<void> FaultyFileSystem::remove(const db::Path& path) {
  if (next(FileCall::Remove) != Fault::None) return injected(path, "remove");
  return real().remove(path);
}

db::Result<std::vector<std::string>> FaultyFileSystem::listFolder(const db::Path& folder) {
  if (next(FileCall::ListFolder) != Fault::None) return injected(folder, "list");
  return real().listFolder(folder);
}

db::Result<void> FaultyFileSystem::makeFolder(const db::Path& folder, db::LinkedFolder links) {
  if (next(FileCall::MakeFolder) != Fault::None) return injected(folder, "create the folder");
  return real().makeFolder(folder, links);
}

db::Result<void> FaultyFileSystem::syncFolder(const db::Path& folder) {
  if (next(FileCall::SyncFolder) != Fault::None) return injected(folder, "flush to disk");
  return real().syncFolder(folder);
}

db::Result<bool> FaultyFileSystem::sameFile(const db::Path& first, const db::Path& second) {
  if (next(FileCall::SameFile) != Fault::None) return injected(first, "examine");
  return real().sameFile(first, second);
}

}  // namespace zelbor::testing
