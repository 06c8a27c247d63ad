#include "install_folder.h"

#include <filesystem>

namespace zelbor::editor {
namespace {

constexpr const char* kInstallFolderInPrefix = "drive_c/Program Files/Varnholt/Zelbor";

bool holdsAVisibleFile(const std::filesystem::path& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const bool hidden = it->path().filename().string().starts_with('.');
    if (!hidden && it->is_regular_file(error)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> gameInstallFolders(const char* winePrefix, const char* home) {
  std::filesystem::path prefix;
  if (winePrefix != nullptr && *winePrefix != '\0') {
    prefix = winePrefix;
  } else if (home != nullptr && *home != '\0') {
    prefix = std::filesystem::path(home) / ".wine";
  } else {
    return {};
  }
  return {(prefix / kInstallFolderInPrefix).string()};
}

std::string initialDialogFolder(const std::vector<std::string>& installFolders) {
  for (const std::string& folder : installFolders) {
    if (holdsAVisibleFile(folder)) return (std::filesystem::path(folder) / "Data" / "Gui").string();
  }
  return {};
}

}  // namespace zelbor::editor
