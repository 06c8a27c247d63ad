#include "backups.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>

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

constexpr std::string_view kDescriptionSuffix = ".txt";
// A run's id: this many lowercase hex digits.
constexpr std::size_t kRunIdLength = 8;
// The longest name most file systems take (255 bytes or UTF-16 units, and UTF-8 never has fewer
// bytes than UTF-16 units), less what replaceFile adds for its temporary file (".<10>.tmp").
constexpr std::size_t kNameLimit = 255 - 15;

constexpr BackupOperation kOperations[] = {BackupOperation::Save, BackupOperation::Batch,
                                           BackupOperation::FixSpoof, BackupOperation::Import,
                                           BackupOperation::Restore};

bool isHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// A backup's name taken apart; a name this code does not make has no parts.
struct NameParts {
  std::string_view operation;
  std::string_view run;
  int write = 0;
};

// Whether `name` is one this code makes: stamp, one of its operations, run and write, database's
// name, suffix.
std::optional<NameParts> partsOf(std::string_view name) {
  if (!digitsAt(name, 0, 8) || name.size() <= kStampLength + 2 || name[8] != '-' ||
      !digitsAt(name, 9, 6) || name[15] != '-' || !digitsAt(name, 16, 3) ||
      name[kStampLength] != '_' || !name.ends_with(kBackupSuffix)) {
    return std::nullopt;
  }
  NameParts parts;
  const std::size_t operationEnd = name.find('_', kStampLength + 1);
  if (operationEnd == std::string_view::npos) return std::nullopt;
  parts.operation = name.substr(kStampLength + 1, operationEnd - kStampLength - 1);
  if (std::ranges::none_of(kOperations, [&](BackupOperation operation) {
        return operationName(operation) == parts.operation;
      })) {
    return std::nullopt;
  }
  const std::size_t runStart = operationEnd + 1;
  if (name.size() < runStart + kRunIdLength + 3 ||
      !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(runStart),
                   name.begin() + static_cast<std::ptrdiff_t>(runStart + kRunIdLength), isHex) ||
      name[runStart + kRunIdLength] != '-') {
    return std::nullopt;
  }
  parts.run = name.substr(runStart, kRunIdLength);
  const std::size_t writeStart = runStart + kRunIdLength + 1;
  const std::size_t writeEnd = name.find('_', writeStart);
  if (writeEnd == std::string_view::npos || writeEnd == writeStart || writeEnd - writeStart > 9 ||
      !digitsAt(name, writeStart, writeEnd - writeStart)) {
    return std::nullopt;
  }
  parts.write = numberAt(name, writeStart, writeEnd - writeStart);
  return parts;
}

// The description's name beside a backup's.
std::string descriptionName(std::string_view backupName) {
  return std::string(backupName.substr(0, backupName.size() - kBackupSuffix.size())) +
         std::string(kDescriptionSuffix);
}

// The database's name, cut at a character's start so that `prefix`, it and the suffix fit in a
// name.
std::string backupName(const std::string& prefix, const std::string& databaseName) {
  std::size_t length =
      std::min(databaseName.size(), kNameLimit - prefix.size() - kBackupSuffix.size());
  while (length > 0 && length < databaseName.size() &&
         (static_cast<unsigned char>(databaseName[length]) & 0xC0) == 0x80) {
    --length;
  }
  return prefix + databaseName.substr(0, length) + std::string(kBackupSuffix);
}

std::string whenOf(std::string_view text) {
  return std::string(text.substr(0, 4)) + "-" + std::string(text.substr(4, 2)) + "-" +
         std::string(text.substr(6, 2)) + " " + std::string(text.substr(9, 2)) + ":" +
         std::string(text.substr(11, 2)) + ":" + std::string(text.substr(13, 2)) + " UTC";
}

Milliseconds timeOf(std::string_view name) {
  using namespace std::chrono;
  const year_month_day date{year{numberAt(name, 0, 4)},
                            month{static_cast<unsigned>(numberAt(name, 4, 2))},
                            day{static_cast<unsigned>(numberAt(name, 6, 2))}};
  return sys_days{date} + hours{numberAt(name, 9, 2)} + minutes{numberAt(name, 11, 2)} +
         seconds{numberAt(name, 13, 2)} + milliseconds{numberAt(name, 16, 3)};
}

// Which of `names` (newest first) the retention keeps: the newest kNewestKept, and the oldest
// kept of each of the newest kRunsKept runs, its first write.
std::vector<bool> keptBackups(const std::vector<std::string>& names) {
  std::vector<bool> kept(names.size(), false);
  std::vector<std::string_view> runs;
  std::vector<std::size_t> oldestOfRun;
  for (std::size_t i = 0; i < names.size(); ++i) {
    kept[i] = i < kNewestKept;
    const std::string_view run = partsOf(names[i])->run;
    const auto known = std::ranges::find(runs, run);
    if (known == runs.end()) {
      runs.push_back(run);
      oldestOfRun.push_back(i);
    } else {
      oldestOfRun[static_cast<std::size_t>(known - runs.begin())] = i;
    }
  }
  for (std::size_t r = 0; r < runs.size() && r < kRunsKept; ++r) kept[oldestOfRun[r]] = true;
  return kept;
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
  Folder folder{folder_.path() + separator() + folderKey(full), {}, {}};
  if (Result<void> made = fileSystem_.makeFolder(folder.path, LinkedFolder::Refused); !made)
    return made.error();
  Result<std::vector<std::string>> names = fileSystem_.listFolder(folder.path);
  if (!names) return names.error();
  bool indexed = false;
  for (std::string& name : names.value()) {
    indexed |= name == kIndexName;
    if (partsOf(name)) {
      folder.backups.push_back(std::move(name));
    } else if (name.ends_with(kDescriptionSuffix) && name != kIndexName) {
      folder.descriptions.push_back(std::move(name));
    }
  }
  // The stamp leads, so the names sort by time.
  std::sort(folder.backups.begin(), folder.backups.end(), std::greater<>());

  const std::string index = folder.path + separator() + std::string(kIndexName);
  const std::string recorded = full + "\n";
  if (!indexed) {
    if (Result<void> written = replaceFile(fileSystem_, index, bytesOf(recorded), databasePath);
        !written)
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

Result<std::string> Backups::take(File& database, const Path& databasePath, BackupRun& run,
                                  BackupOperation operation, const std::string& subject) {
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
  const std::string prefix = stampOf(time) + "_" + std::string(operationName(operation)) + "_" +
                             run.id() + "-" + std::to_string(run.taken_ + 1) + "_";
  const std::string name = backupName(prefix, nameOf(databasePath));
  const std::string path = folder.value().path + separator() + name;
  // The description first: a backup listed is always described as it was taken.
  const std::string description = folder.value().path + separator() + descriptionName(name);
  if (!subject.empty()) {
    if (Result<void> written =
            replaceFile(fileSystem_, description, bytesOf(subject + "\n"), databasePath);
        !written)
      return refuse(written.error());
  }
  if (Result<void> written = replaceFile(fileSystem_, path, bytes, databasePath); !written) {
    if (!subject.empty()) (void)fileSystem_.remove(description);
    return refuse(written.error());
  }
  ++run.taken_;
  return path;
}

WritePolicy Backups::before(const Path& databasePath, BackupRun& run, BackupOperation operation,
                            std::string subject) {
  return WritePolicy([backups = *this, databasePath, &run, operation,
                      subject = std::move(subject)](File& database) mutable -> Result<void> {
    const Result<std::string> taken = backups.take(database, databasePath, run, operation, subject);
    if (!taken) return taken.error();
    return {};
  });
}

Result<std::vector<BackupEntry>> Backups::list(const Path& databasePath) {
  const Result<Folder> folder = databaseFolder(databasePath);
  if (!folder) return folder.error();
  const Folder& found = folder.value();
  std::vector<BackupEntry> entries;
  for (const std::string& name : found.backups) {
    const NameParts parts = *partsOf(name);
    BackupEntry entry{found.path + separator() + name,
                      whenOf(name),
                      std::string(parts.operation),
                      {},
                      std::string(parts.run),
                      parts.write,
                      {}};
    if (std::ranges::find(found.descriptions, descriptionName(name)) != found.descriptions.end()) {
      const Result<std::vector<Byte>> text = readWholeFile(
          fileSystem_, found.path + separator() + descriptionName(name), 65536, "a description");
      if (!text) return text.error();
      entry.subject.assign(text.value().begin(), text.value().end());
      while (entry.subject.ends_with('\n')) entry.subject.pop_back();
    }
    entries.push_back(std::move(entry));
  }
  // Newest first, so the last of a run's is its first kept.
  for (BackupEntry& entry : entries) {
    for (const BackupEntry& other : entries) {
      if (other.run == entry.run) entry.runBegan = other.when;
    }
  }
  return entries;
}

Result<void> Backups::prune(const Path& databasePath) {
  const Result<Folder> folder = databaseFolder(databasePath);
  if (!folder) return folder.error();
  const Folder& found = folder.value();
  const std::vector<bool> kept = keptBackups(found.backups);
  for (std::size_t i = 0; i < found.backups.size(); ++i) {
    if (kept[i]) continue;
    const std::string description = descriptionName(found.backups[i]);
    if (std::ranges::find(found.descriptions, description) != found.descriptions.end()) {
      if (Result<void> removed = fileSystem_.remove(found.path + separator() + description);
          !removed)
        return removed;
    }
    if (Result<void> removed = fileSystem_.remove(found.path + separator() + found.backups[i]);
        !removed)
      return removed;
  }
  return {};
}

std::string_view operationName(BackupOperation operation) {
  switch (operation) {
    case BackupOperation::Save:
      return "save";
    case BackupOperation::Batch:
      return "batch";
    case BackupOperation::FixSpoof:
      return "fix-spoof";
    case BackupOperation::Import:
      return "import";
    case BackupOperation::Restore:
      break;
  }
  return "restore";
}

BackupRun::BackupRun() {
  static std::mt19937_64 generator{std::random_device{}()};
  char id[kRunIdLength + 1];
  std::snprintf(id, sizeof id, "%08llx",
                static_cast<unsigned long long>(generator() & 0xFFFFFFFFull));
  id_ = id;
}

std::string backupDescription(const BackupEntry& entry) {
  std::string text = entry.operation;
  if (!entry.subject.empty()) text += " of " + entry.subject;
  if (entry.write == 1) return text + "; first write of its run: the file as it was before the run";
  return text + "; write " + std::to_string(entry.write) + " of the run that began writing at " +
         entry.runBegan;
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
