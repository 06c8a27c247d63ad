#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "new_file.h"

namespace zelbor::db {

Result<void> writeNewFile(const std::string& path, std::span<const Byte> bytes) {
  const auto failure = [&path](const char* action, int error) {
    return FileError{
        path, std::string("Cannot ") + action + " \"" + path + "\": " + std::strerror(error) + "."};
  };
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return failure("create", errno);
  std::size_t done = 0;
  int error = 0;
  while (done < bytes.size() && error == 0) {
    const ssize_t put = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) error = put < 0 ? errno : EIO;
    if (put > 0) done += static_cast<std::size_t>(put);
  }
  if (error == 0 && ::fsync(descriptor) != 0) error = errno;
  if (::close(descriptor) != 0 && error == 0 && errno != EINTR) error = errno;
  if (error == 0) return {};
  ::unlink(path.c_str());
  return failure("write", error);
}

}  // namespace zelbor::db
