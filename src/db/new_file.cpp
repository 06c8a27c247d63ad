#include "new_file.h"

#include <random>

namespace zelbor::db {
namespace {

// Writes all of `bytes` into a file just created and flushes it; removes it on failure.
Result<void> fillNewFile(FileSystem& fileSystem, const Path& path, File& file,
                         std::span<const Byte> bytes) {
  Result<void> written = file.writeAt(0, bytes);
  if (written) written = file.sync();
  Result<void> closed = file.close();
  if (written && !closed) written = closed;
  if (!written) (void)fileSystem.remove(path);
  return written;
}

std::string randomSuffix() {
  static std::mt19937_64 generator{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix(10, '0');
  for (char& digit : suffix) digit = kDigits[generator() % (sizeof kDigits - 1)];
  return suffix;
}

std::size_t lastSeparator(const std::string& path) {
#ifdef _WIN32
  return path.find_last_of("/\\");
#else
  return path.find_last_of('/');
#endif
}

}  // namespace

Path folderOf(const Path& path) {
  const std::string& text = path.utf8();
  const std::size_t separator = lastSeparator(text);
  if (separator == std::string::npos) return ".";
  return separator == 0 ? text.substr(0, 1) : text.substr(0, separator);
}

std::string nameOf(const Path& path) {
  const std::string& text = path.utf8();
  const std::size_t separator = lastSeparator(text);
  return separator == std::string::npos ? text : text.substr(separator + 1);
}

Result<void> writeNewFile(FileSystem& fileSystem, const Path& path,
                          std::span<const Byte> bytes) {
  auto created = fileSystem.createNew(path);
  if (!created) return created.error();
  return fillNewFile(fileSystem, path, *created.value(), bytes);
}

Result<void> replaceFile(FileSystem& fileSystem, const Path& path,
                         std::span<const Byte> bytes) {
  // A random name of some 50 bits, created only if no entry has it: another program's temporary
  // file is never opened or replaced.
  const Path temporary = path.utf8() + "." + randomSuffix() + ".tmp";
  auto created = fileSystem.createNew(temporary);
  if (!created) return created.error();
  if (Result<void> filled = fillNewFile(fileSystem, temporary, *created.value(), bytes); !filled)
    return filled;
  if (Result<void> renamed = fileSystem.rename(temporary, path); !renamed) {
    (void)fileSystem.remove(temporary);
    return renamed;
  }
  return fileSystem.syncFolder(folderOf(path));
}

}  // namespace zelbor::db
