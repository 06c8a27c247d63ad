#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "file_access.h"
#include "posix_io.h"

namespace zelbor::db {
namespace {

// Whether a file's writes go to their offsets or one after the other.
enum class Writes { AtOffsets, InOrder };

class PosixFile final : public File {
 public:
  PosixFile(std::string path, int descriptor, Writes writes = Writes::AtOffsets)
      : path_(std::move(path)), descriptor_(descriptor), writes_(writes) {}
  ~PosixFile() override {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  Result<FileStatus> status() override {
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) return systemError(path_, "examine", errno);
    return FileStatus{static_cast<std::uint64_t>(status.st_size),
                      static_cast<std::uint64_t>(status.st_dev),
                      static_cast<std::uint64_t>(status.st_ino)};
  }

  Result<void> readAt(std::uint64_t offset, std::span<Byte> into) override {
    std::size_t done = 0;
    while (done < into.size()) {
      const ssize_t got = ::pread(descriptor_, into.data() + done, into.size() - done,
                                  static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return systemError(path_, "read", errno);
      if (got == 0) {
        return FileError{path_, "Cannot read \"" + path_ + "\": the file ends at byte " +
                                    std::to_string(offset + done) + ", before the data needed."};
      }
      done += static_cast<std::size_t>(got);
    }
    return {};
  }

  Result<void> writeAt(std::uint64_t offset, std::span<const Byte> from) override {
    if (writes_ == Writes::InOrder) {
      if (const int error = writeAll(descriptor_, from); error != 0) {
        return systemError(path_, "write", error);
      }
      return {};
    }
    std::size_t done = 0;
    while (done < from.size()) {
      const ssize_t put = ::pwrite(descriptor_, from.data() + done, from.size() - done,
                                   static_cast<off_t>(offset + done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return systemError(path_, "write", errno);
      if (put == 0) return systemError(path_, "write", EIO);
      done += static_cast<std::size_t>(put);
    }
    return {};
  }

  Result<void> sync() override {
    if (::fdatasync(descriptor_) != 0) return systemError(path_, "flush to disk", errno);
    return {};
  }

  Result<bool> tryLock() override {
    // An open-file-description lock: it belongs to this open file, so closing another descriptor
    // of the same file in this process does not drop it, and threads exclude each other too.
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    while (::fcntl(descriptor_, F_OFD_SETLK, &whole) != 0) {
      if (errno == EAGAIN || errno == EACCES) return false;
      if (errno != EINTR) return systemError(path_, "lock", errno);
    }
    return true;
  }

  Result<void> close() override {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    // The descriptor is released even when close reports an error; never retry it.
    if (::close(descriptor) != 0 && errno != EINTR) return systemError(path_, "close", errno);
    return {};
  }

 private:
  std::string path_;
  int descriptor_;
  Writes writes_;
};

class PosixFileSystem final : public FileSystem {
 public:
  Result<std::unique_ptr<File>> openExisting(const Path& path, OpenMode mode) override {
    // No O_CREAT, O_TRUNC or O_APPEND: a file is only ever used as it already is. O_NONBLOCK keeps
    // a FIFO from waiting for a writer before its type can be checked; it changes nothing for the
    // regular files that are kept.
    const int flags =
        (mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int descriptor = -1;
    do {
      descriptor = ::open(path.utf8().c_str(), flags);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return systemError(path, "open", errno);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
      const int error = errno;
      ::close(descriptor);
      return systemError(path, "open", error);
    }
    if (!S_ISREG(status.st_mode)) {
      ::close(descriptor);
      return FileError{path.utf8(), "Cannot open \"" + path.utf8() + "\": not a regular file."};
    }
    return std::unique_ptr<File>(std::make_unique<PosixFile>(path.utf8(), descriptor));
  }

  Result<bool> isReadOnly(const Path& path) override {
    struct stat status {};
    if (::stat(path.utf8().c_str(), &status) != 0) return systemError(path, "examine", errno);
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    if (::access(path.utf8().c_str(), W_OK) == 0) return false;
    const int error = errno;
    if (error == EACCES || error == EROFS || error == EPERM || error == ETXTBSY) return true;
    return systemError(path, "examine", error);
  }

  Result<PathEntry> examine(const Path& path) override {
    struct stat status {};
    if (::lstat(path.utf8().c_str(), &status) != 0) {
      if (errno == ENOENT) return PathEntry{};
      return systemError(path, "examine", errno);
    }
    Path linkedFile;
    if (S_ISLNK(status.st_mode) && ::stat(path.utf8().c_str(), &status) == 0 &&
        S_ISREG(status.st_mode)) {
      char* const resolved = ::realpath(path.utf8().c_str(), nullptr);
      if (resolved == nullptr) return systemError(path, "examine", errno);
      linkedFile = std::string(resolved);
      std::free(resolved);
    }
    if (!S_ISREG(status.st_mode)) return PathEntry{PathEntry::Kind::Other, false, {}, {}};
    // The permission bits, not access(): root may write anything.
    return PathEntry{PathEntry::Kind::RegularFile, (status.st_mode & 0222) == 0,
                     {static_cast<std::uint32_t>(status.st_mode & 07777)}, linkedFile};
  }

  Result<std::unique_ptr<File>> openInPlace(const Path& path) override {
    int descriptor = -1;
    do {
      descriptor = ::open(path.utf8().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return systemError(path, "write", errno);
    return std::unique_ptr<File>(
        std::make_unique<PosixFile>(path.utf8(), descriptor, Writes::InOrder));
  }

  Result<std::unique_ptr<File>> createNew(const Path& path,
                                          const KeptAttributes& attributes) override {
    int descriptor = -1;
    do {
      descriptor = ::open(path.utf8().c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return systemError(path, "create", errno);
    auto file = std::make_unique<PosixFile>(path.utf8(), descriptor);
    if (attributes.bits && ::fchmod(descriptor, static_cast<mode_t>(*attributes.bits)) != 0) {
      const int error = errno;
      file.reset();
      ::unlink(path.utf8().c_str());
      return systemError(path, "create", error);
    }
    return std::unique_ptr<File>(std::move(file));
  }

  Result<void> rename(const Path& from, const Path& to) override {
    if (::rename(from.utf8().c_str(), to.utf8().c_str()) != 0) {
      return FileError{
          to.utf8(), "Cannot rename \"" + from.utf8() + "\" to \"" + to.utf8() + "\": " + std::strerror(errno) + "."};
    }
    return {};
  }

  Result<void> remove(const Path& path) override {
    if (::unlink(path.utf8().c_str()) != 0) return systemError(path, "remove", errno);
    return {};
  }

  Result<std::vector<std::string>> listFolder(const Path& folder) override {
    DIR* const listing = ::opendir(folder.utf8().c_str());
    if (listing == nullptr) return systemError(folder, "list", errno);
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(listing)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
      errno = 0;
    }
    const int error = errno;
    ::closedir(listing);
    if (error != 0) return systemError(folder, "list", error);
    return names;
  }

  Result<void> makeFolder(const Path& folder, LinkedFolder links) override {
    if (::mkdir(folder.utf8().c_str(), 0700) == 0) return {};
    if (errno != EEXIST) return systemError(folder, "create the folder", errno);
    struct stat status {};
    if (::lstat(folder.utf8().c_str(), &status) != 0) return systemError(folder, "examine", errno);
    if (S_ISLNK(status.st_mode) && links == LinkedFolder::Accepted &&
        ::stat(folder.utf8().c_str(), &status) != 0) {
      return systemError(folder, "examine", errno);
    }
    if (S_ISLNK(status.st_mode)) {
      return FileError{folder.utf8(), "Cannot use the folder \"" + folder.utf8() +
                                   "\": it is a symbolic link, not a folder of its own."};
    }
    if (!S_ISDIR(status.st_mode)) {
      return FileError{folder.utf8(), "Cannot use the folder \"" + folder.utf8() + "\": it is not a folder."};
    }
    return {};
  }

  Result<void> syncFolder(const Path& folder) override {
    const int descriptor = ::open(folder.utf8().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return systemError(folder, "flush to disk", errno);
    // Some file systems cannot flush a folder (EINVAL); their renames are as safe as they get.
    int error = ::fsync(descriptor) == 0 || errno == EINVAL ? 0 : errno;
    if (::close(descriptor) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error != 0) return systemError(folder, "flush to disk", error);
    return {};
  }

  Result<bool> sameFile(const Path& first, const Path& second) override {
    struct stat firstStatus {};
    struct stat secondStatus {};
    if (::stat(first.utf8().c_str(), &firstStatus) != 0) return notThere(first, errno);
    if (::stat(second.utf8().c_str(), &secondStatus) != 0) return notThere(second, errno);
    return firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino;
  }

 private:
  // A path that names nothing names no other file; any other failure leaves the question open.
  static Result<bool> notThere(const Path& path, int error) {
    if (error == ENOENT || error == ENOTDIR) return false;
    return systemError(path, "examine", error);
  }
};

}  // namespace

FileSystem& systemFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace zelbor::db
