#include "posix_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zelbor::db {

FileError systemError(const Path& path, const std::string& action, int error) {
  return {path.utf8(), "Cannot " + action + " \"" + path.utf8() + "\": " + std::strerror(error) + "."};
}

int writeAll(int descriptor, std::span<const Byte> bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(descriptor, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    if (put == 0) return EIO;
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
  return 0;
}

}  // namespace zelbor::db
