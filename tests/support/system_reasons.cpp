#include "system_reasons.h"

#ifdef _WIN32
#include <windows.h>

#include "db/win32_text.h"
#else
#include <cerrno>
#include <cstring>
#endif

namespace zelbor::testing {

#ifdef _WIN32
std::string missingFileReason() {
  return db::systemReason(ERROR_FILE_NOT_FOUND);
}
std::string folderReason() {
  return "it is a folder, not a file";
}
std::string existingFileReason() {
  return db::systemReason(ERROR_FILE_EXISTS);
}
#else
std::string missingFileReason() {
  return std::strerror(ENOENT);
}
std::string folderReason() {
  return std::strerror(EISDIR);
}
std::string existingFileReason() {
  return std::strerror(EEXIST);
}
#endif

}  // namespace zelbor::testing
