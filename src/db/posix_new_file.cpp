#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "new_file.h"
#include "posix_io.h"

namespace zelbor::db {

Result<void> writeNewFile(const std::string& path, std::span<const Byte> bytes) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return systemError(path, "create", errno);
  int error = writeAll(descriptor, bytes);
  if (error == 0 && ::fsync(descriptor) != 0) error = errno;
  if (::close(descriptor) != 0 && error == 0 && errno != EINTR) error = errno;
  if (error == 0) return {};
  ::unlink(path.c_str());
  return systemError(path, "write", error);
}

}  // namespace zelbor::db
