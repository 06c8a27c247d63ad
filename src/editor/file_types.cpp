#include "file_types.h"

namespace zelbor::editor {

FileTypes withAllFiles(FileTypes types) {
  types.push_back({"All files", {std::string(kAllFilesPattern)}});
  return types;
}

std::string joinedPatterns(const FileType& type, std::string_view separator) {
  std::string joined;
  for (const std::string& pattern : type.patterns) {
    if (!joined.empty()) joined += separator;
    joined += pattern;
  }
  return joined;
}

std::string shownType(const FileType& type, std::string_view separator) {
  return type.description + " (" + joinedPatterns(type, separator) + ")";
}

}  // namespace zelbor::editor
