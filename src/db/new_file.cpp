#include "new_file.h"

#include <random>

namespace zelbor::db {
namespace {

// Any step's failure told as the failure to write `path`: the user never named the temporary
// file. Every FileError reads "Cannot <action> "<file>": <reason>.", so the reason follows the
// last quoted name.
FileError writeFailure(const Path& path, const FileError& error) {
  const std::size_t quote = error.message.rfind("\": ");
  if (quote == std::string::npos) return error;
  return {path.utf8(), "Cannot write \"" + path.utf8() + error.message.substr(quote)};
}

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

// Writes `bytes` into what `path` names as it stands: a device or a FIFO cannot be replaced, nor
// flushed.
Result<void> writeInPlace(FileSystem& fileSystem, const Path& path, std::span<const Byte> bytes) {
  auto opened = fileSystem.openInPlace(path);
  if (!opened) return writeFailure(path, opened.error());
  Result<void> written = opened.value()->writeAt(0, bytes);
  Result<void> closed = opened.value()->close();
  if (written && !closed) written = closed;
  if (!written) return writeFailure(path, written.error());
  return {};
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

Path temporaryName(const Path& path, std::string_view extension) {
  return path.utf8() + "." + randomSuffix() + std::string(extension);
}

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
  auto created = fileSystem.createNew(path, {});
  if (!created) return created.error();
  return fillNewFile(fileSystem, path, *created.value(), bytes);
}

Result<bool> namesDatabase(FileSystem& fileSystem, const Path& path, const Path& database) {
  Result<bool> same = fileSystem.sameFile(path, database);
  if (same) return same;
  return FileError{path.utf8(), same.error().message + "\nCannot tell whether \"" + path.utf8() +
                                    "\" is the database, so nothing was written."};
}

FileError databaseAsOutput(const Path& path, const Path& database) {
  return {path.utf8(), "Cannot write \"" + path.utf8() + "\": it is the database \"" +
                           database.utf8() + "\" itself, so nothing was written."};
}

Result<void> replaceFile(FileSystem& fileSystem, const Path& path, std::span<const Byte> bytes,
                         const Path& database) {
  const Result<bool> same = namesDatabase(fileSystem, path, database);
  if (!same) return same.error();
  if (same.value()) return databaseAsOutput(path, database);
  const Result<PathEntry> entry = fileSystem.examine(path);
  if (!entry) return writeFailure(path, entry.error());
  if (entry.value().kind == PathEntry::Kind::Other) return writeInPlace(fileSystem, path, bytes);
  // Root may write anything; a file the user made read-only is still meant to stay.
  if (entry.value().readOnly) {
    return FileError{path.utf8(), "Cannot write \"" + path.utf8() + "\": the file is read-only."};
  }
  const Path& replaced = entry.value().linkedFile.empty() ? path : entry.value().linkedFile;
  const Path temporary = temporaryName(replaced, ".tmp");
  auto created = fileSystem.createNew(temporary, entry.value().attributes);
  if (!created) return writeFailure(path, created.error());
  if (Result<void> filled = fillNewFile(fileSystem, temporary, *created.value(), bytes); !filled)
    return writeFailure(path, filled.error());
  if (Result<void> renamed = fileSystem.rename(temporary, replaced); !renamed) {
    (void)fileSystem.remove(temporary);
    return writeFailure(path, renamed.error());
  }
  if (Result<void> synced = fileSystem.syncFolder(folderOf(replaced)); !synced)
    return writeFailure(path, synced.error());
  return {};
}

}  // namespace zelbor::db
