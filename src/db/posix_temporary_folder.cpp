#include <cstdlib>

#include "temporary_folder.h"

namespace zelbor::db {

Path temporaryFolder() {
  const char* const folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

}  // namespace zelbor::db
