#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "db/posix_io.h"

namespace zelbor::cli {
namespace {

db::FileError writeError(const std::string& path, int error) {
  return db::systemError(path, "write", error);
}

db::Result<void> writeAll(int descriptor, const std::string& path, std::string_view bytes) {
  if (const int error = db::writeAll(descriptor, db::bytesOf(bytes)); error != 0) {
    return writeError(path, error);
  }
  return {};
}

db::Result<void> writeInPlace(const std::string& path, std::string_view bytes) {
  const int descriptor = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (descriptor < 0) return writeError(path, errno);
  db::Result<void> written = writeAll(descriptor, path, bytes);
  if (close(descriptor) != 0 && written) return writeError(path, errno);
  return written;
}

db::Result<void> replaceFile(const std::string& path, std::string_view bytes, mode_t mode) {
  std::string temporary = path + ".XXXXXX";
  const int descriptor = mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) return writeError(path, errno);
  db::Result<void> written = writeAll(descriptor, path, bytes);
  if (written && fchmod(descriptor, mode) != 0) written = writeError(path, errno);
  if (written && fsync(descriptor) != 0) written = writeError(path, errno);
  if (close(descriptor) != 0 && written) written = writeError(path, errno);
  if (written && rename(temporary.c_str(), path.c_str()) != 0) written = writeError(path, errno);
  if (!written) unlink(temporary.c_str());
  return written;
}

}  // namespace

db::Result<void> writeOutputFile(const std::string& path, std::string_view bytes) {
  struct stat status {};
  if (lstat(path.c_str(), &status) == 0) {
    // A link stays a link to the file it names.
    if (!S_ISREG(status.st_mode)) return writeInPlace(path, bytes);
    // Root may write anything; a file without write permission is still meant to stay.
    if ((status.st_mode & 0222) == 0) {
      return db::FileError{path, "Cannot write \"" + path + "\": the file is read-only."};
    }
    return replaceFile(path, bytes, status.st_mode & 07777);
  }
  if (errno != ENOENT) return writeError(path, errno);
  const mode_t mask = umask(0);
  umask(mask);
  return replaceFile(path, bytes, 0666 & ~mask);
}

}  // namespace zelbor::cli
