#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "path.h"

namespace zelbor::db {

// The path of `name` inside `folder`, with the separator this system writes, so a message names
// the file as the user's other programs do: on Windows every / becomes \ as well.
inline Path pathInFolder(const Path& folder, std::string_view name) {
#ifdef _WIN32
  constexpr char separator = '\\';
#else
  constexpr char separator = '/';
#endif
  std::string path = folder.utf8();
  if (!path.empty() && path.back() != '/' && path.back() != separator) path += separator;
  path += name;
  std::ranges::replace(path, '/', separator);
  return path;
}

}  // namespace zelbor::db
