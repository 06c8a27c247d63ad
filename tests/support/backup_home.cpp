// Linked into every test program: before any test runs, the user's state folder (where backups
// go) becomes a fresh temporary folder, for this process and the programs it starts, so no test
// ever writes a backup into the real home.
#include <cstdlib>
#include <filesystem>

#include "temp_file.h"

namespace {

struct BackupHome {
  zelbor::testing::TempDir folder;

  BackupHome() {
#ifdef _WIN32
    _wputenv_s(L"LOCALAPPDATA", folder.path().wstring().c_str());
#else
    setenv("XDG_STATE_HOME", folder.path().c_str(), 1);
#endif
  }
};

const BackupHome backupHome;

}  // namespace
