#include "install_folder.h"

#include "db/filesystem_path.h"

namespace zelbor::editor {
namespace {

constexpr const char8_t* kInstallFolderInPrefix = u8"drive_c/Program Files/Varnholt/Zelbor";
#ifdef _WIN32
constexpr const char* kDefaultInstallFolder = "C:\\Program Files\\Varnholt\\Zelbor";
#endif

bool holdsAVisibleFile(const std::filesystem::path& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const bool hidden = it->path().filename().u8string().starts_with(u8'.');
    if (!hidden && it->is_regular_file(error)) return true;
  }
  return false;
}

}  // namespace

std::vector<db::Path> gameInstallFolders(const char* winePrefix, const char* home) {
  std::vector<db::Path> folders;
#ifdef _WIN32
  folders.emplace_back(kDefaultInstallFolder);
#endif
  std::filesystem::path prefix;
  if (winePrefix != nullptr && *winePrefix != '\0') {
    prefix = db::filesystemPath(winePrefix);
  } else if (home != nullptr && *home != '\0') {
    prefix = db::filesystemPath(home) / u8".wine";
  } else {
    return folders;
  }
  folders.push_back(db::pathOf(prefix / kInstallFolderInPrefix));
  return folders;
}

db::Path initialDialogFolder(const std::vector<db::Path>& installFolders) {
  for (const db::Path& folder : installFolders) {
    const std::filesystem::path path = db::filesystemPath(folder);
    if (holdsAVisibleFile(path)) return db::pathOf(path / u8"Data" / u8"Gui");
  }
  return {};
}

}  // namespace zelbor::editor
