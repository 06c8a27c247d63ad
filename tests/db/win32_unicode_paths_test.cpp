// Names beyond ASCII through the Win32 file layer: accented letters, CJK, and an emoji (two UTF-16
// units), in the file's name and in its folder's, for opening the database, telling files apart
// and replacing a file. None of them survives the ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "db/database.h"
#include "db/filesystem_path.h"
#include "db/new_file.h"
#include "db/whole_file.h"
#include "support/database_image.h"
#include "support/temp_file.h"

namespace zelbor::db {
namespace {

using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

struct Name {
  const char* what;
  const char8_t* folder;
  const char8_t* file;

  friend void PrintTo(const Name& name, std::ostream* out) { *out << name.what; }
};

constexpr Name kNames[] = {
    {"Accented", u8"Spieler \u00C4rger \u00E9", u8"Spieler \u00C4rger \u00E9.bag"},
    {"Cjk", u8"\u9078\u624B\u30C7\u30FC\u30BF", u8"\u9078\u624B\u30C7\u30FC\u30BF.bag"},
    {"Emoji", u8"players \U0001F3CF", u8"players \U0001F3CF.bag"},
};

class Win32UnicodePathsTest : public ::testing::TestWithParam<Name> {
 protected:
  Win32UnicodePathsTest() { std::filesystem::create_directory(folder_); }

  // The test names its files through std::filesystem's wide paths, never through the program's
  // own conversion, so a wrong conversion in the program misses them.
  std::filesystem::path inFolder(const std::u8string& name) const { return folder_ / name; }

  TempDir dir_;
  std::filesystem::path folder_ = dir_.path() / GetParam().folder;
  std::filesystem::path file_ = inFolder(GetParam().file);
  Path path_ = pathOf(file_);
};

TEST_P(Win32UnicodePathsTest, TheDatabaseOpensLoadsAndStores) {
  std::vector<Byte> image = testing::blankDatabase();
  testing::putTeam(image, 2, 3);
  writeFileBytes(file_, image);

  auto opened = Database::open(systemFileSystem(), path_);
  ASSERT_TRUE(opened) << opened.error().message;
  Database& database = opened.value();
  const Result<std::vector<Byte>> area = database.readPlayerArea(2);
  ASSERT_TRUE(area);
  std::vector<PlayerRecord> players =
      decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize>(area.value()));
  ASSERT_EQ(players.size(), 3U);
  players[2].runsODI = 4321;
  const TeamAreaWrite save{2, area.value(), withPlayers(area.value(), players), {}};
  ASSERT_TRUE(database.writeTeams({&save, 1}));

  std::vector<Byte> expected = image;
  testing::putPlayer(expected, 2, 3, players[2]);
  EXPECT_EQ(readFileBytes(file_), expected);
  const Result<std::vector<Byte>> whole =
      readWholeFile(systemFileSystem(), path_, expected.size(), "a database");
  ASSERT_TRUE(whole) << whole.error().message;
  EXPECT_EQ(whole.value(), expected);
}

TEST_P(Win32UnicodePathsTest, OneFileIsToldByIdentityHoweverItIsSpelled) {
  writeFileBytes(file_, {1, 2, 3});
  const std::filesystem::path hardLink = inFolder(u8"link " + std::u8string(GetParam().file));
  ASSERT_TRUE(::CreateHardLinkW(hardLink.c_str(), file_.c_str(), nullptr));
  const std::filesystem::path other = inFolder(u8"other " + std::u8string(GetParam().file));
  writeFileBytes(other, {1, 2, 3});
  std::wstring shortName(MAX_PATH, L'\0');
  shortName.resize(::GetShortPathNameW(file_.c_str(), shortName.data(), MAX_PATH));
  ASSERT_FALSE(shortName.empty());
  std::wstring slashes = file_.wstring();
  std::ranges::replace(slashes, L'\\', L'/');

  const std::wstring folder = folder_.wstring();
  const std::wstring name = file_.filename().wstring();
  const struct {
    const char* what;
    std::filesystem::path spelling;
    bool same;
  } cases[] = {
      {"through .\\", folder + L"\\.\\" + name, true},
      {"through ..\\", folder + L"\\..\\" + folder_.filename().wstring() + L"\\" + name, true},
      {"with slashes", slashes, true},
      {"by its short name", shortName, true},
      {"a hard link", hardLink, true},
      {"another file with the same bytes", other, false},
      {"its folder", folder_, false},
  };
  for (const auto& c : cases) {
    for (const auto& [first, second] :
         {std::pair(path_, pathOf(c.spelling)), std::pair(pathOf(c.spelling), path_)}) {
      const Result<bool> same = systemFileSystem().sameFile(first, second);
      ASSERT_TRUE(same) << c.what << ": " << same.error().message;
      EXPECT_EQ(same.value(), c.same) << c.what << ": " << first << " and " << second;
    }
  }
}

TEST_P(Win32UnicodePathsTest, ReplacingWritesEveryByteUnderTheName) {
  writeFileBytes(file_, std::vector<Byte>(300, 0xAA));
  std::vector<Byte> replacement(256);
  for (std::size_t i = 0; i < replacement.size(); ++i) replacement[i] = static_cast<Byte>(255 - i);
  const std::filesystem::path created = inFolder(u8"new " + std::u8string(GetParam().file));
  const std::vector<Byte> createdBytes = {'n', 0, 0xFF, '\r', '\n'};

  const Result<void> replaced = replaceFile(systemFileSystem(), path_, replacement);
  ASSERT_TRUE(replaced) << replaced.error().message;
  const Result<void> made = replaceFile(systemFileSystem(), pathOf(created), createdBytes);
  ASSERT_TRUE(made) << made.error().message;

  EXPECT_EQ(readFileBytes(file_), replacement);
  EXPECT_EQ(readFileBytes(created), createdBytes);
  const Result<std::vector<std::string>> listed = systemFileSystem().listFolder(pathOf(folder_));
  ASSERT_TRUE(listed) << listed.error().message;
  std::vector<std::string> names = listed.value();
  std::ranges::sort(names);
  std::vector<std::string> expected = {pathOf(file_.filename()).utf8(),
                                       pathOf(created.filename()).utf8()};
  std::ranges::sort(expected);
  EXPECT_EQ(names, expected) << "no temporary file is left, and the names come back whole";
}

INSTANTIATE_TEST_SUITE_P(Names, Win32UnicodePathsTest, ::testing::ValuesIn(kNames),
                         [](const ::testing::TestParamInfo<Name>& info) {
                           return std::string(info.param.what);
                         });

}  // namespace
}  // namespace zelbor::db
