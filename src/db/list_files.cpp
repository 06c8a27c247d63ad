#include "list_files.h"

#include "path_in_folder.h"
#include "text_codec.h"
#include "whole_file.h"

namespace zelbor::db {

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

Result<std::vector<std::string>> readListFile(FileSystem& fileSystem, const Path& path) {
  const Result<std::vector<Byte>> bytes =
      readWholeFile(fileSystem, path, kListFileSizeLimit, "a list file");
  if (!bytes) return bytes.error();
  const std::string text(bytes.value().begin(), bytes.value().end());
  std::vector<std::string> entries = splitListLines(text);
  for (std::string& entry : entries) {
    entry = decodeWindows1252(bytesOf(entry));
  }
  return entries;
}

Result<ListFileEntries> readListFiles(FileSystem& fileSystem, const Path& folder) {
  ListFileEntries lists;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    auto entries = readListFile(fileSystem, pathInFolder(folder, kListFileNames[i]));
    if (!entries) return entries.error();
    lists[i] = std::move(entries).value();
  }
  return lists;
}

}  // namespace zelbor::db
