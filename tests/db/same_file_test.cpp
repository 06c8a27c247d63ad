// "Same file" on the POSIX file system: told by identity, whatever the spelling or link, and
// refused when the system cannot say.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "db/file_access.h"
#include "support/temp_file.h"

namespace zelbor::db {
namespace {

using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

class SameFileTest : public ::testing::Test {
 protected:
  SameFileTest() {
    writeFileBytes(file_, {1, 2, 3});
    writeFileBytes(twin_, {1, 2, 3});
    std::filesystem::create_hard_link(file_, dir_.path() / "hard link.bag");
    std::filesystem::create_symlink("database.bag", dir_.path() / "symbolic link.bag");
    std::filesystem::create_directory(dir_.path() / "folder");
    std::filesystem::create_symlink("loop", dir_.path() / "loop");
  }

  TempDir dir_;
  std::string file_ = dir_.file("database.bag");
  std::string twin_ = dir_.file("same bytes.bag");
};

TEST_F(SameFileTest, OneFileHoweverItIsReached) {
  const std::string folder = dir_.path().string();
  const struct {
    const char* what;
    std::string first;
    std::string second;
    bool same;
  } cases[] = {
      {"the same path", file_, file_, true},
      {"through ./", file_, folder + "/./database.bag", true},
      {"through ..", file_, folder + "/folder/../database.bag", true},
      {"a doubled slash", file_, folder + "//database.bag", true},
      {"a hard link", file_, dir_.file("hard link.bag"), true},
      {"a symbolic link", file_, dir_.file("symbolic link.bag"), true},
      {"another file with the same bytes", file_, twin_, false},
      {"a missing file names no file", file_, dir_.file("missing.bag"), false},
      {"a missing folder names no file", file_, dir_.file("missing/database.bag"), false},
      {"a file taken for a folder names no file", file_, file_ + "/database.bag", false},
      {"a folder is not the file in it", file_, dir_.file("folder"), false},
      {"a folder is itself", dir_.file("folder"), dir_.file("folder") + "/.", true},
  };
  for (const auto& c : cases) {
    for (const auto& [first, second] : {std::pair(c.first, c.second), std::pair(c.second, c.first)}) {
      const Result<bool> same = systemFileSystem().sameFile(first, second);
      ASSERT_TRUE(same) << c.what << ": " << same.error().message;
      EXPECT_EQ(same.value(), c.same) << c.what << ": " << first << " and " << second;
    }
  }
}

TEST_F(SameFileTest, WhatCannotBeToldIsRefusedWithTheFileAndTheReason) {
  const std::string loop = dir_.file("loop");
  const std::string tooLong = dir_.file(std::string(300, 'x'));
  const struct {
    const char* what;
    std::string path;
    int reason;
  } cases[] = {
      {"a symbolic link to itself", loop, ELOOP},
      {"a name too long for the system", tooLong, ENAMETOOLONG},
  };
  for (const auto& c : cases) {
    for (const auto& [first, second] : {std::pair(file_, c.path), std::pair(c.path, file_)}) {
      const Result<bool> same = systemFileSystem().sameFile(first, second);
      ASSERT_FALSE(same) << c.what << " was told apart, not refused";
      EXPECT_EQ(same.error().path, c.path) << c.what;
      EXPECT_EQ(same.error().message,
                "Cannot examine \"" + c.path + "\": " + std::strerror(c.reason) + ".")
          << c.what;
    }
  }
}

}  // namespace
}  // namespace zelbor::db
