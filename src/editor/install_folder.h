#pragma once

#include <vector>

#include "db/path.h"

namespace zelbor::editor {

// Where the game installs itself: on Windows its default folder first; then inside a Wine prefix,
// $WINEPREFIX when set, else ~/.wine.
std::vector<db::Path> gameInstallFolders(const char* winePrefix, const char* home);

// The file dialog's starting folder: Data/Gui of the first install folder that holds at least one
// plain, visible file; empty when there is none, so the dialog opens in its own default folder.
db::Path initialDialogFolder(const std::vector<db::Path>& installFolders);

}  // namespace zelbor::editor
