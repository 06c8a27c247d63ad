#include "list_files.h"

#include "db/text_codec.h"

namespace zelbor::editor {

std::vector<std::string> splitListLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

db::Result<std::vector<std::string>> readListFile(db::FileSystem& fileSystem,
                                                  const std::string& path) {
  auto file = fileSystem.openExisting(path, db::OpenMode::ReadOnly);
  if (!file) return file.error();
  const db::Result<db::FileStatus> status = file.value()->status();
  if (!status) return status.error();
  if (status.value().size > kListFileSizeLimit) {
    return db::FileError{path, "Cannot read \"" + path + "\": it is " +
                                   std::to_string(status.value().size) +
                                   " bytes long; a list file may hold at most " +
                                   std::to_string(kListFileSizeLimit) + " bytes."};
  }
  std::vector<db::Byte> bytes(status.value().size);
  if (db::Result<void> read = file.value()->readAt(0, bytes); !read) return read.error();
  if (db::Result<void> closed = file.value()->close(); !closed) return closed.error();
  const std::string text(bytes.begin(), bytes.end());
  std::vector<std::string> entries = splitListLines(text);
  for (std::string& entry : entries) {
    entry = db::decodeWindows1252(
        std::span<const db::Byte>(reinterpret_cast<const db::Byte*>(entry.data()), entry.size()));
  }
  return entries;
}

db::Result<ListFileEntries> readListFiles(db::FileSystem& fileSystem, const std::string& folder) {
  ListFileEntries lists;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    auto entries = readListFile(fileSystem, folder + "/" + std::string(kListFileNames[i]));
    if (!entries) return entries.error();
    lists[i] = std::move(entries).value();
  }
  return lists;
}

}  // namespace zelbor::editor
