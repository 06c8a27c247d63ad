#pragma once

#include <filesystem>
#include <string>

#include "path.h"

namespace zelbor::db {

// std::filesystem takes narrow text in the ANSI code page on Windows, so paths cross into it and
// back only as char8_t.
inline std::filesystem::path filesystemPath(const Path& path) {
  const std::string& text = path.utf8();
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline Path pathOf(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return Path(std::string(text.begin(), text.end()));
}

}  // namespace zelbor::db
