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
std::string existingFileReason() {
  return db::systemReason(ERROR_FILE_EXISTS);
}
std::string permissionDeniedReason() {
  return db::systemReason(ERROR_ACCESS_DENIED);
}
#else
std::string missingFileReason() {
  return std::strerror(ENOENT);
}
std::string existingFileReason() {
  return std::strerror(EEXIST);
}
std::string permissionDeniedReason() {
  return std::strerror(EACCES);
}
#endif

}  // namespace zelbor::testing
