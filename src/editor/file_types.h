#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelbor::editor {

// A kind of file a file dialog offers: its description and the name patterns it matches.
struct FileType {
  std::string description;
  std::vector<std::string> patterns;  // "*.csv"
};
using FileTypes = std::vector<FileType>;

// What matches every name: Windows matches "*.*" against a name without a dot too, and its users
// know the type by it; elsewhere "*.*" would hide such a name.
#ifdef _WIN32
inline constexpr std::string_view kAllFilesPattern = "*.*";
#else
inline constexpr std::string_view kAllFilesPattern = "*";
#endif

// `types` followed by "All files", so a file named otherwise can still be picked.
FileTypes withAllFiles(FileTypes types);

// The patterns joined by `separator`: "*.csv;*.json".
std::string joinedPatterns(const FileType& type, std::string_view separator);
// The type as the dialog's list shows it: "JSON (*.json)".
std::string shownType(const FileType& type, std::string_view separator);

}  // namespace zelbor::editor
