#include "install_folder.h"

#include <filesystem>

namespace zelbor::editor {
namespace {

constexpr const char* kInstallFolderInPrefix = "drive_c/Program Files/Varnholt/Zelbor";
#ifdef _WIN32
constexpr const char* kDefaultInstallFolder = "C:\\Program Files\\Varnholt\\Zelbor";
#endif

// Paths are UTF-8 inside the program; on Windows std::filesystem reads plain strings otherwise.
std::filesystem::path pathOf(const std::string& utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

std::string utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

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
  std::vector<std::string> folders;
#ifdef _WIN32
  folders.emplace_back(kDefaultInstallFolder);
#endif
  std::filesystem::path prefix;
  if (winePrefix != nullptr && *winePrefix != '\0') {
    prefix = pathOf(winePrefix);
  } else if (home != nullptr && *home != '\0') {
    prefix = pathOf(home) / ".wine";
  } else {
    return folders;
  }
  folders.push_back(utf8Of(prefix / kInstallFolderInPrefix));
  return folders;
}

std::string initialDialogFolder(const std::vector<std::string>& installFolders) {
  for (const std::string& folder : installFolders) {
    if (holdsAVisibleFile(pathOf(folder))) return utf8Of(pathOf(folder) / "Data" / "Gui");
  }
  return {};
}

}  // namespace zelbor::editor
