#include "temp_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "db/filesystem_path.h"

namespace zelbor::testing {

std::vector<db::Byte> readFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::filesystem::path& path, const std::vector<db::Byte>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out) << "cannot write " << path;
}

std::vector<db::Byte> readFileBytes(const std::string& path) {
  return readFileBytes(db::filesystemPath(path));
}

void writeFileBytes(const std::string& path, const std::vector<db::Byte>& bytes) {
  writeFileBytes(db::filesystemPath(path), bytes);
}

TempDir::TempDir(const std::filesystem::path& base) {
  const std::filesystem::path folder = base.empty() ? std::filesystem::temp_directory_path() : base;
  // A name nobody holds yet; creating the folder is what claims it.
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = folder / ("zelbor-test-" + std::to_string(random() % 1000000000));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot create a folder in " + folder.string());
}

std::string TempDir::file(const std::string& name) const {
  return db::pathOf(path_ / db::filesystemPath(name)).utf8();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace zelbor::testing
