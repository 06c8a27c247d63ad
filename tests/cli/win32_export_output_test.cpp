// export --output on Windows, against the real file system: the database is refused however its
// path is spelled, devices are written in place, and a replaced file keeps what the user set.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "db/file_access.h"
#include "db/win32_text.h"
#include "support/database_image.h"
#include "support/temp_file.h"

namespace zelbor::cli {
namespace {

using ::testing::HasSubstr;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

std::string utf8(const std::filesystem::path& path) {
  return db::utf8FromWide(path.wstring());
}

std::string shortName(const std::filesystem::path& path) {
  std::wstring shortPath(MAX_PATH, L'\0');
  shortPath.resize(::GetShortPathNameW(path.c_str(), shortPath.data(), MAX_PATH));
  return db::utf8FromWide(shortPath);
}

// Relative paths start in the test's folder; the working folder comes back after.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder) {
    previous_.resize(::GetCurrentDirectoryW(0, nullptr));
    previous_.resize(
        ::GetCurrentDirectoryW(static_cast<DWORD>(previous_.size()), previous_.data()));
    ::SetCurrentDirectoryW(folder.c_str());
  }
  ~WorkingFolder() { ::SetCurrentDirectoryW(previous_.c_str()); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::wstring previous_;
};

class Win32ExportOutputTest : public ::testing::Test {
 protected:
  Win32ExportOutputTest() { zelbor::testing::putTeam(image_, 1, 3, "Élan"); }

  struct Outcome {
    int status;
    std::string out;
    std::string err;
  };

  Outcome run(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(arguments, out, err, {db::systemFileSystem(), utf8(dir_.path())});
    return {status, out.str(), err.str()};
  }

  Outcome exportCsv(const std::string& database, const std::string& output) {
    return run({"export", database, "--format", "csv", "--output", output});
  }

  // The folder's files, to show that a refusal left no temporary file behind.
  static std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      files.push_back(entry.path().filename());
    }
    std::ranges::sort(files);
    return files;
  }

  TempDir dir_;
  WorkingFolder working_{dir_.path()};
  std::vector<db::Byte> image_ = zelbor::testing::blankDatabase();
};

TEST_F(Win32ExportOutputTest, EverySpellingOfTheDatabasesPathIsRefused) {
  for (const std::filesystem::path folder :
       {u8"Zélbor", u8"ゼルボル データ", u8"Zelbor 🏏 Spiele", u8"plain"}) {
    std::filesystem::create_directory(dir_.path() / folder);
    const std::filesystem::path relative = folder / L"TeamAndPlayerInfo.bag";
    const std::filesystem::path absolute = dir_.path() / relative;
    writeFileBytes(absolute, image_);
    const std::filesystem::path link = dir_.path() / folder / L"link.bag";
    ASSERT_TRUE(::CreateHardLinkW(link.c_str(), absolute.c_str(), nullptr));
    const std::string shortPath = shortName(absolute);
    ASSERT_NE(shortPath, utf8(absolute)) << "the file has an 8.3 name";
    const std::vector<std::filesystem::path> files = filesIn(dir_.path() / folder);

    const struct {
      std::string database;
      std::string output;
    } cases[] = {
        {utf8(relative), utf8(relative)},
        {utf8(relative), utf8(absolute)},
        {utf8(absolute), utf8(relative)},
        {utf8(relative), "\\\\?\\" + utf8(absolute)},
        {"\\\\?\\" + utf8(absolute), utf8(relative)},
        {utf8(relative), shortPath},
        {utf8(relative), utf8(link)},
        {utf8(relative), utf8(folder / L"TEAMANDPLAYERINFO.BAG")},
        {utf8(relative), utf8(folder) + "/TeamAndPlayerInfo.bag"},
        {utf8(relative), ".\\" + utf8(folder) + "\\..\\" + utf8(relative)},
    };
    for (const auto& c : cases) {
      const Outcome outcome = exportCsv(c.database, c.output);
      EXPECT_EQ(outcome.status, 1) << c.output << "\n" << outcome.err;
      EXPECT_THAT(outcome.err, HasSubstr("is the database")) << c.output;
      EXPECT_EQ(readFileBytes(absolute), image_) << c.output;
      EXPECT_EQ(filesIn(dir_.path() / folder), files) << c.output;
    }
  }
}

TEST_F(Win32ExportOutputTest, DevicesAreWrittenInPlaceAndFilesKeepTheirAttributes) {
  const std::filesystem::path database = dir_.path() / u8"Zélbor.bag";
  writeFileBytes(database, image_);
  const Outcome expected = run({"export", utf8(database), "--format", "csv"});
  ASSERT_EQ(expected.status, 0) << expected.err;

  for (const std::string device : {"NUL", "nul", "NUL.csv", "\\\\.\\NUL"}) {
    const Outcome outcome = exportCsv(utf8(database), device);
    EXPECT_EQ(outcome.status, 0) << device << "\n" << outcome.err;
  }
  EXPECT_EQ(filesIn(dir_.path()), std::vector<std::filesystem::path>{u8"Zélbor.bag"});

  const std::filesystem::path hidden = dir_.path() / u8"Hidden é.csv";
  writeFileBytes(hidden, {'o', 'l', 'd'});
  ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const Outcome replaced = exportCsv(utf8(database), utf8(hidden));
  EXPECT_EQ(replaced.status, 0) << replaced.err;
  const std::vector<db::Byte> written = readFileBytes(hidden);
  EXPECT_EQ(std::string(written.begin(), written.end()), expected.out);
  EXPECT_EQ(::GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);

  const std::filesystem::path readOnly = dir_.path() / u8"Read only é.csv";
  writeFileBytes(readOnly, {'o', 'l', 'd'});
  ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const Outcome refused = exportCsv(utf8(database), utf8(readOnly));
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "Cannot write \"" + utf8(readOnly) + "\": the file is read-only.\n");
  EXPECT_EQ(readFileBytes(readOnly), (std::vector<db::Byte>{'o', 'l', 'd'}));
  ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readFileBytes(database), image_);
}

}  // namespace
}  // namespace zelbor::cli
