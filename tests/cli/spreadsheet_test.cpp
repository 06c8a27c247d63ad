#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/xlsx_reader.h"
#include "db/player_fields.h"
#include "sample/sample_database.h"
#include "support/temp_file.h"

namespace zelbor::cli {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

struct CliRun {
  int status;
  std::string out, err;
};

CliRun zelborDb(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int status = runCli(arguments, out, err,
                            {db::posixFileSystem(), std::filesystem::current_path().string()});
  return {status, out.str(), err.str()};
}

std::string fileText(const std::string& path) {
  const auto bytes = readFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

class ExportOutput : public ::testing::Test {
 protected:
  void SetUp() override { writeFileBytes(database, sample::makeSampleDatabase()); }

  TempDir folder;
  std::string database = folder.file("TeamAndPlayerInfo.bag");
};

TEST_F(ExportOutput, OutputFileHoldsWhatStandardOutputShowsAndIsReplacedWhole) {
  const std::string csv = folder.file("players.csv");
  writeFileBytes(csv, std::vector<db::Byte>(100000, 'x'));
  chmod(csv.c_str(), 0640);
  for (const char* format : {"csv", "json"}) {
    const CliRun shown = zelborDb({"export", database, "--format", format, "--names"});
    const CliRun written =
        zelborDb({"export", database, "--format", format, "--names", "--output", csv});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_THAT(written.out, IsEmpty());
    EXPECT_EQ(fileText(csv), shown.out) << format;
  }
  struct stat status {};
  stat(csv.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2)
      << "no temporary file is left behind";
}

TEST_F(ExportOutput, XlsxHoldsEveryPlayerUnderTheCsvHeader) {
  const std::string workbook = folder.file("players.xlsx");
  const CliRun run =
      zelborDb({"export", database, "--format", "xlsx", "--names", "--output", workbook});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto rows = readXlsxFirstSheet(fileText(workbook), workbook);
  ASSERT_TRUE(rows.ok()) << rows.error().message;

  std::istringstream csv(zelborDb({"export", database, "--format", "csv", "--names"}).out);
  std::string header;
  std::getline(csv, header);
  std::vector<std::string> columns;
  for (const auto& cell : rows.value().front().cells) columns.push_back(cell.value_or(""));
  std::string joined;
  for (const auto& column : columns) joined += (joined.empty() ? "" : ",") + column;
  EXPECT_EQ(joined, header);
  std::size_t players = 0;
  for (std::string line; std::getline(csv, line);) ++players;
  EXPECT_EQ(rows.value().size(), players + 1);
  EXPECT_EQ(rows.value()[1].cells[0], "1");
  EXPECT_EQ(rows.value()[1].cells[1], "1");
}

TEST_F(ExportOutput, RefusalsLeaveEveryFileAsItWas) {
  const auto before = readFileBytes(database);
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string message;
  } cases[] = {
      {{"export", database, "--format", "xlsx"}, 1, "xlsx needs --output FILE."},
      {{"export", database, "--output", database}, 1, "--output names the database"},
      {{"export", database, "--output", folder.file("missing/out.csv")},
       2,
       "Cannot write \"" + folder.file("missing/out.csv") + "\": No such file or directory."},
      {{"export", database, "--output", folder.path().string()}, 2, "Is a directory"},
  };
  for (const auto& c : cases) {
    const CliRun run = zelborDb(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_THAT(run.err, HasSubstr(c.message));
  }
  EXPECT_EQ(readFileBytes(database), before);
}

}  // namespace
}  // namespace zelbor::cli
