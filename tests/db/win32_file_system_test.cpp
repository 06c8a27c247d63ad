// The Win32 file layer on real files: what the game holding the file, the read-only attribute,
// folders, devices and missing files do to it, and the writer's lock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "db/file_access.h"
#include "db/filesystem_path.h"
#include "db/win32_text.h"
#include "support/system_reasons.h"
#include "support/temp_file.h"

namespace zelbor::db {
namespace {

using ::testing::HasSubstr;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

// A handle as the game would hold one: reading and writing, sharing both.
class GameHandle {
 public:
  explicit GameHandle(const std::string& path)
      : handle_(::CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~GameHandle() {
    if (ok()) ::CloseHandle(handle_);
  }
  GameHandle(const GameHandle&) = delete;
  GameHandle& operator=(const GameHandle&) = delete;

  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

  bool write(DWORD offset, std::vector<Byte> bytes) {
    OVERLAPPED at{};
    at.Offset = offset;
    DWORD put = 0;
    return ::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &put, &at) &&
           put == bytes.size();
  }

  std::vector<Byte> read(DWORD offset, std::size_t length) {
    std::vector<Byte> bytes(length);
    OVERLAPPED at{};
    at.Offset = offset;
    DWORD got = 0;
    if (!::ReadFile(handle_, bytes.data(), static_cast<DWORD>(length), &got, &at)) return {};
    bytes.resize(got);
    return bytes;
  }

 private:
  HANDLE handle_;
};

class Win32FileSystemTest : public ::testing::Test {
 protected:
  Win32FileSystemTest() { writeFileBytes(file_, original_); }

  std::unique_ptr<File> open(OpenMode mode = OpenMode::ReadWrite) {
    auto file = systemFileSystem().openExisting(path_, mode);
    if (!file) throw std::runtime_error(file.error().message);
    return std::move(file).value();
  }

  TempDir dir_;
  // Spaces and letters beyond ASCII: the path goes to Windows as UTF-16.
  std::filesystem::path file_ = dir_.path() / u8"Team And Player Info \u00E9\u00F8.bag";
  std::string path_ = utf8FromWide(file_.wstring());
  std::vector<Byte> original_ = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
};

TEST_F(Win32FileSystemTest, AFileTheGameHoldsOpenIsStillReadAndWritten) {
  GameHandle game(path_);
  ASSERT_TRUE(game.ok());
  const auto file = open();

  std::vector<Byte> read(4);
  ASSERT_TRUE(file->readAt(2, read));
  EXPECT_EQ(read, (std::vector<Byte>{2, 3, 4, 5}));
  const std::vector<Byte> written = {0xAA, 0xBB, 0xCC};
  ASSERT_TRUE(file->writeAt(13, written));
  ASSERT_TRUE(file->sync());
  EXPECT_EQ(game.read(13, 3), written) << "the game sees the write at once";

  ASSERT_TRUE(game.write(0, {0xEE}));
  ASSERT_TRUE(file->readAt(0, std::span(read).first(1)));
  EXPECT_EQ(read[0], 0xEE);

  const Result<void> beyondTheEnd = file->readAt(14, read);
  ASSERT_FALSE(beyondTheEnd);
  EXPECT_THAT(beyondTheEnd.error().message, HasSubstr("the file ends at byte 16"));
  ASSERT_TRUE(file->close());

  std::vector<Byte> expected = original_;
  expected[0] = 0xEE;
  std::copy(written.begin(), written.end(), expected.begin() + 13);
  EXPECT_EQ(readFileBytes(file_), expected) << "the length never changes";
}

TEST_F(Win32FileSystemTest, StatusGivesTheLengthAndWhichFileItIs) {
  const auto first = open(OpenMode::ReadOnly);
  const auto second = open();
  const std::string otherPath = dir_.file("other.bag");
  writeFileBytes(otherPath, original_);
  const auto other = systemFileSystem().openExisting(otherPath, OpenMode::ReadOnly);
  ASSERT_TRUE(other);

  const Result<FileStatus> status = first->status();
  ASSERT_TRUE(status);
  EXPECT_EQ(status.value().size, original_.size());
  EXPECT_TRUE(status.value().sameFileAs(second->status().value()));
  EXPECT_FALSE(status.value().sameFileAs(other.value()->status().value()));
}

TEST_F(Win32FileSystemTest, TheReadOnlyAttributeIsRefused) {
  ASSERT_FALSE(systemFileSystem().isReadOnly(path_).value());
  ASSERT_TRUE(::SetFileAttributesW(wideFromUtf8(path_).c_str(), FILE_ATTRIBUTE_READONLY));

  EXPECT_TRUE(systemFileSystem().isReadOnly(path_).value());
  const auto writing = systemFileSystem().openExisting(path_, OpenMode::ReadWrite);
  ASSERT_FALSE(writing);
  EXPECT_EQ(writing.error().message,
            "Cannot write \"" + path_ + "\": it is read-only (its read-only attribute is set).");
  EXPECT_TRUE(systemFileSystem().openExisting(path_, OpenMode::ReadOnly));

  ASSERT_TRUE(::SetFileAttributesW(wideFromUtf8(path_).c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(readFileBytes(file_), original_);
}

TEST_F(Win32FileSystemTest, FoldersDevicesAndMissingFilesAreRefusedWithTheirReasons) {
  const std::string folder = utf8FromWide(dir_.path().wstring());
  const std::string missing = dir_.file("missing.bag");
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {folder, "Cannot open \"" + folder + "\": not a regular file."},
      {missing, "Cannot open \"" + missing + "\": " + testing::missingFileReason() + "."},
      {"NUL", "Cannot open \"NUL\": not a regular file."},
  };
  for (const auto& c : cases) {
    for (const OpenMode mode : {OpenMode::ReadOnly, OpenMode::ReadWrite}) {
      const auto file = systemFileSystem().openExisting(c.path, mode);
      ASSERT_FALSE(file) << c.path;
      EXPECT_EQ(file.error().message, c.message);
      EXPECT_EQ(file.error().path, c.path);
    }
  }
  EXPECT_FALSE(systemFileSystem().isReadOnly(folder).value()) << "the open says what it is";
  const Result<bool> missingReadOnly = systemFileSystem().isReadOnly(missing);
  ASSERT_FALSE(missingReadOnly);
  EXPECT_EQ(missingReadOnly.error().message,
            "Cannot examine \"" + missing + "\": " + testing::missingFileReason() + ".");
  EXPECT_FALSE(std::filesystem::exists(filesystemPath(missing))) << "nothing is ever created";
}

TEST_F(Win32FileSystemTest, TheWritersLockExcludesOurOtherHandlesButNotTheGame) {
  const auto first = open();
  const auto second = open();
  ASSERT_TRUE(first->tryLock().value());
  EXPECT_FALSE(second->tryLock().value());

  GameHandle game(path_);
  ASSERT_TRUE(game.ok());
  ASSERT_TRUE(game.write(15, {0x77}));
  EXPECT_EQ(game.read(0, 16).size(), 16u) << "the data stays free for the game";
  std::vector<Byte> read(16);
  EXPECT_TRUE(second->readAt(0, read)) << "and for reading by our own programs";
  EXPECT_EQ(read[15], 0x77);

  ASSERT_TRUE(first->close());
  EXPECT_TRUE(second->tryLock().value()) << "closing the file released the lock";
  const auto third = open(OpenMode::ReadOnly);
  EXPECT_FALSE(third->tryLock().value());
  EXPECT_EQ(std::filesystem::file_size(file_), original_.size());
}

}  // namespace
}  // namespace zelbor::db
