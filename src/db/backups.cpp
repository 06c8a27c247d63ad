#include "backups.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "new_file.h"
#include "whole_file.h"

namespace zelbor::db {
namespace {

using Milliseconds = std::chrono::sys_time<std::chrono::milliseconds>;

constexpr std::string_view kIndexName = "database.txt";
constexpr std::string_view kBackupSuffix = ".bak";
// "20261210-161705-042": the time's part of a name, in UTC.
constexpr std::size_t kStampLength = 19;

std::string separator() {
#ifdef _WIN32
  return "\\";
#else
  return "/";
#endif
}

// A 64-bit FNV-1a hash of the full path, in hex: a folder name fit for any path.
std::string folderKey(const std::string& fullPath) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : fullPath) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char key[17];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
  return key;
}

std::string stampOf(Milliseconds time) {
  const auto day = std::chrono::floor<std::chrono::days>(time);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss clock{time - day};
  // Room for any int the compiler cannot rule out; real times take kStampLength.
  char stamp[64];
  std::snprintf(
      stamp, sizeof stamp, "%04d%02u%02u-%02d%02d%02d-%03d", static_cast<int>(date.year()),
      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
      static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
      static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
  return stamp;
}

bool digitsAt(std::string_view text, std::size_t from, std::size_t count) {
  return text.size() >= from + count &&
         std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                     text.begin() + static_cast<std::ptrdiff_t>(from + count),
                     [](char c) { return c >= '0' && c <= '9'; });
}

int numberAt(std::string_view text, std::size_t from, std::size_t count) {
  int value = 0;
  for (std::size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

// Whether `name` is one this code makes: stamp, operation, database's name, suffix.
bool isBackupName(std::string_view name) {
  if (!digitsAt(name, 0, 8) || name.size() <= kStampLength + 2 || name[8] != '-' ||
      !digitsAt(name, 9, 6) || name[15] != '-' || !digitsAt(name, 16, 3) ||
      name[kStampLength] != '_' || !name.ends_with(kBackupSuffix)) {
    return false;
  }
  const std::size_t operationEnd = name.find('_', kStampLength + 1);
  if (operationEnd == std::string_view::npos || operationEnd == kStampLength + 1) return false;
  return std::all_of(name.begin() + kStampLength + 1, name.begin() + operationEnd,
                     [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

Milliseconds timeOf(std::string_view name) {
  using namespace std::chrono;
  const year_month_day date{year{numberAt(name, 0, 4)},
                            month{static_cast<unsigned>(numberAt(name, 4, 2))},
                            day{static_cast<unsigned>(numberAt(name, 6, 2))}};
  return sys_days{date} + hours{numberAt(name, 9, 2)} + minutes{numberAt(name, 11, 2)} +
         seconds{numberAt(name, 13, 2)} + milliseconds{numberAt(name, 16, 3)};
}

BackupEntry entryOf(const std::string& folder, const std::string& name) {
  const std::string_view text = name;
  const std::size_t operationEnd = text.find('_', kStampLength + 1);
  std::string when = std::string(text.substr(0, 4)) + "-" + std::string(text.substr(4, 2)) + "-" +
                     std::string(text.substr(6, 2)) + " " + std::string(text.substr(9, 2)) + ":" +
                     std::string(text.substr(11, 2)) + ":" + std::string(text.substr(13, 2)) +
                     " UTC";
  return {folder + separator() + name, std::move(when),
          std::string(text.substr(kStampLength + 1, operationEnd - kStampLength - 1))};
}

}  // namespace

Result<Backups::Folder> Backups::databaseFolder(const Path& databasePath) {
  for (const std::string& level : folder_.userLevels) {
    if (Result<void> made = fileSystem_.makeFolder(level, LinkedFolder::Accepted); !made)
      return made.error();
  }
  for (const std::string& level : folder_.ownLevels) {
    if (Result<void> made = fileSystem_.makeFolder(level, LinkedFolder::Refused); !made)
      return made.error();
  }
  const std::string full = fullPath(databasePath.utf8());
  Folder folder{folder_.path() + separator() + folderKey(full), {}};
  if (Result<void> made = fileSystem_.makeFolder(folder.path, LinkedFolder::Refused); !made)
    return made.error();
  Result<std::vector<std::string>> names = fileSystem_.listFolder(folder.path);
  if (!names) return names.error();
  bool indexed = false;
  for (std::string& name : names.value()) {
    indexed |= name == kIndexName;
    if (isBackupName(name)) folder.backups.push_back(std::move(name));
  }
  // The stamp leads, so the names sort by time.
  std::sort(folder.backups.begin(), folder.backups.end(), std::greater<>());

  const std::string index = folder.path + separator() + std::string(kIndexName);
  const std::string recorded = full + "\n";
  if (!indexed) {
    if (Result<void> written = replaceFile(fileSystem_, index, bytesOf(recorded)); !written)
      return written.error();
    return folder;
  }
  const Result<std::vector<Byte>> found = readWholeFile(fileSystem_, index, 65536, "an index");
  if (!found) return found.error();
  if (std::string(found.value().begin(), found.value().end()) != recorded) {
    return FileError{index, "Cannot use \"" + folder.path + "\" for the backups of \"" +
                                databasePath.utf8() + "\": it holds those of another database."};
  }
  return folder;
}

Result<std::string> Backups::take(File& database, const Path& databasePath,
                                  std::string_view operation) {
  const auto refuse = [&databasePath](const FileError& error) {
    return FileError{error.path, "No backup could be made of \"" + databasePath.utf8() +
                                     "\", so nothing was written. " + error.message};
  };
  const Result<Folder> folder = databaseFolder(databasePath);
  if (!folder) return refuse(folder.error());
  // Root may write into a folder without write permission bits; the mark is still meant.
  std::vector<std::string> levels = folder_.ownLevels;
  levels.push_back(folder.value().path);
  for (const std::string& level : levels) {
    const Result<bool> readOnly = fileSystem_.isReadOnly(level);
    if (!readOnly) return refuse(readOnly.error());
    if (readOnly.value()) {
      return refuse(
          {level,
           "\"" + level + "\" is read-only (no write permission bits or a read-only mount)."});
    }
  }
  const std::vector<std::string>& existing = folder.value().backups;
  // Later than every backup there, so a clock set back or two writes in one millisecond still
  // give new names in order.
  Milliseconds time =
      std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
  if (!existing.empty()) {
    time = std::max(time, timeOf(existing.front()) + std::chrono::milliseconds(1));
  }
  const Result<FileStatus> status = database.status();
  if (!status) return refuse(status.error());
  std::vector<Byte> bytes(status.value().size);
  if (Result<void> read = database.readAt(0, bytes); !read) return refuse(read.error());
  const std::string path = folder.value().path + separator() + stampOf(time) + "_" +
                           std::string(operation) + "_" + nameOf(databasePath) +
                           std::string(kBackupSuffix);
  if (Result<void> written = replaceFile(fileSystem_, path, bytes); !written)
    return refuse(written.error());
  return path;
}

BeforeFirstWrite Backups::before(const Path& databasePath, std::string operation) {
  return [backups = *this, databasePath, operation](File& database) mutable -> Result<void> {
    const Result<std::string> taken = backups.take(database, databasePath, operation);
    if (!taken) return taken.error();
    return {};
  };
}

Result<std::vector<BackupEntry>> Backups::list(const Path& databasePath) {
  const Result<Folder> folder = databaseFolder(databasePath);
  if (!folder) return folder.error();
  std::vector<BackupEntry> entries;
  for (const std::string& name : folder.value().backups)
    entries.push_back(entryOf(folder.value().path, name));
  return entries;
}

Result<void> Backups::prune(const Path& databasePath) {
  const Result<Folder> folder = databaseFolder(databasePath);
  if (!folder) return folder.error();
  const std::vector<std::string>& names = folder.value().backups;
  for (std::size_t i = kBackupsKept; i < names.size(); ++i) {
    const std::string path = folder.value().path + separator() + names[i];
    if (Result<void> removed = fileSystem_.remove(path); !removed) return removed;
  }
  return {};
}

int differingSlots(std::span<const Byte> a, std::span<const Byte> b) {
  int count = 0;
  for (int team = 1; team <= kTeamCount; ++team) {
    for (int slot = 1; slot <= kPlayerSlots; ++slot) {
      const auto start = static_cast<std::size_t>(slotStart(team, slot));
      if (!std::equal(a.begin() + start, a.begin() + start + kRecordSize, b.begin() + start))
        ++count;
    }
  }
  return count;
}

}  // namespace zelbor::db
