#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "db/byte_order.h"

namespace zelbor::testing {

std::vector<db::Byte> readFileBytes(const std::filesystem::path& path);
void writeFileBytes(const std::filesystem::path& path, const std::vector<db::Byte>& bytes);
// The same for a path held as UTF-8 text, as the program holds it.
std::vector<db::Byte> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<db::Byte>& bytes);

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  // Under `base`, or the system's temporary folder when it is empty.
  explicit TempDir(const std::filesystem::path& base = {});
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` in the folder, both UTF-8 text.
  std::string file(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace zelbor::testing
