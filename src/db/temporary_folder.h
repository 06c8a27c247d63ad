#pragma once

#include "path.h"

namespace zelbor::db {

// The user's folder for temporary files: TMPDIR or /tmp (POSIX), GetTempPath (Windows). A file
// made there is a work file of ours, never one the user named.
Path temporaryFolder();

}  // namespace zelbor::db
