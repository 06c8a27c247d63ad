#pragma once

#include "path.h"

namespace zelbor::db {

// The folder of the running executable, where the list files lie beside it.
Path programFolder();

}  // namespace zelbor::db
