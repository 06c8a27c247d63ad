#pragma once

#include <ostream>
#include <string>
#include <utility>

namespace zelbor::db {

// A file's path as the program keeps it: UTF-8 text, whatever the platform. It becomes the
// platform's own form only at the edge: wide text for Win32, bytes for POSIX, char8_t for
// std::filesystem (filesystem_path.h).
class Path {
 public:
  Path() = default;
  Path(std::string utf8) : utf8_(std::move(utf8)) {}  // NOLINT: UTF-8 text is a path
  Path(const char* utf8) : utf8_(utf8) {}             // NOLINT: as is a literal

  const std::string& utf8() const { return utf8_; }
  bool empty() const { return utf8_.empty(); }

  friend bool operator==(const Path&, const Path&) = default;
  // Messages are UTF-8 text too.
  friend std::ostream& operator<<(std::ostream& out, const Path& path) { return out << path.utf8_; }

 private:
  std::string utf8_;
};

}  // namespace zelbor::db
