#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "db/player_fields.h"
#include "exchange/xlsx_reader.h"
#include "exchange/xlsx_writer.h"
#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/temp_file.h"

namespace zelbor::cli {

using namespace exchange;

namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using zelbor::testing::playerAt;
using zelbor::testing::putPlayer;
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
                            {db::systemFileSystem(), std::filesystem::current_path().string()});
  return {status, out.str(), err.str()};
}

template <std::size_t N>
void putText(db::Bytes<N>& field, std::string_view text) {
  field.fill(0);
  std::copy(text.begin(), text.end(), field.begin());
}

void writeText(const std::string& path, std::string_view text) {
  writeFileBytes(path, std::vector<db::Byte>(text.begin(), text.end()));
}

std::string fileText(const std::string& path) {
  const auto bytes = readFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// The sample database; team 1's first player holds what spreadsheets rewrite.
class Spreadsheet : public ::testing::Test {
 protected:
  void SetUp() override {
    image = sample::makeSampleDatabase();
    db::PlayerRecord player = playerAt(image, 1, 1);
    putText(player.realName, "=SUM(A1:A3)");
    putText(player.spoofName, "=SUM(A1:A3)");
    putText(player.dateOfBirth, "12/09/1985  ");
    player.bowlingAverageODI = -2.184714e-15f;
    putPlayer(image, 1, 1, player);
    writeFileBytes(database, image);
  }

  std::vector<db::Byte> image;
  TempDir folder;
  std::string database = folder.file("TeamAndPlayerInfo.bag");
};
using ExportOutput = Spreadsheet;

TEST_F(ExportOutput, OutputFileHoldsWhatStandardOutputShowsAndIsReplacedWhole) {
  const std::string csv = folder.file("players.csv");
  writeFileBytes(csv, std::vector<db::Byte>(100000, 'x'));
#ifndef _WIN32
  chmod(csv.c_str(), 0640);
#endif
  for (const char* format : {"csv", "json"}) {
    const CliRun shown = zelborDb({"export", database, "--format", format, "--names"});
    const CliRun written =
        zelborDb({"export", database, "--format", format, "--names", "--output", csv});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_THAT(written.out, IsEmpty());
    EXPECT_EQ(fileText(csv), shown.out) << format;
  }
#ifndef _WIN32
  struct stat status {};
  stat(csv.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
#endif
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

// POSIX's links and reasons; Windows' are in win32_export_output_test.cpp.
#ifndef _WIN32
TEST_F(ExportOutput, RefusalsLeaveEveryFileAsItWas) {
  const std::string readOnly = folder.file("kept.csv");
  writeText(readOnly, "kept");
  chmod(readOnly.c_str(), 0444);
  const auto before = readFileBytes(database);
  // The database by other names; and a name the system cannot look up, so nobody can tell.
  const std::string hardLink = folder.file("hard link.bag");
  const std::string symbolicLink = folder.file("symbolic link.bag");
  std::filesystem::create_hard_link(database, hardLink);
  std::filesystem::create_symlink(database, symbolicLink);
  const std::string tooLong = folder.file(std::string(300, 'x'));
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string message;
  } cases[] = {
      {{"export", database, "--format", "xlsx"}, 1, "xlsx needs --output FILE."},
      {{"export", database, "--output", database}, 1, "is the database"},
      {{"export", database, "--output", hardLink}, 1, "is the database"},
      {{"export", symbolicLink, "--output",
        folder.path().string() + "/./" + std::filesystem::path(database).filename().string()},
       1,
       "is the database"},
      {{"export", database, "--output", tooLong},
       2,
       "Cannot examine \"" + tooLong + "\": File name too long.\nCannot tell whether \"" + tooLong +
           "\" is the database, so nothing "
           "was written."},
      {{"export", database, "--output", folder.file("missing/out.csv")},
       2,
       "Cannot write \"" + folder.file("missing/out.csv") + "\": No such file or directory."},
      {{"export", database, "--output", folder.path().string()}, 2, "Is a directory"},
      {{"export", database, "--output", readOnly},
       2,
       "Cannot write \"" + readOnly + "\": the file is read-only."},
  };
  for (const auto& c : cases) {
    const CliRun run = zelborDb(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_THAT(run.err, HasSubstr(c.message));
  }
  EXPECT_EQ(readFileBytes(database), before);
  EXPECT_EQ(fileText(readOnly), "kept");
}
#endif

TEST_F(Spreadsheet, XlsxExportImportsBackWithoutAChange) {
  for (const bool names : {false, true}) {
    const std::string workbook = folder.file("players.xlsx");
    std::vector<std::string> arguments = {"export", database,   "--format",
                                          "xlsx",   "--output", workbook};
    if (names) arguments.push_back("--names");
    ASSERT_EQ(zelborDb(arguments).status, 0);
    const CliRun run = zelborDb({"import", database, workbook});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0 fields of 0 players in 0 teams changed.\n");
    EXPECT_EQ(readFileBytes(database), image);
  }
}

TEST_F(Spreadsheet, AnEditedWorkbookChangesItsFieldsAndTheSpoofName) {
  SheetTable table;
  table.columns = {{"team"}, {"slot"}, {"realName", true}, {"bowlingAverageODI"}, {"role"}};
  table.rows = {
      {1.0, 1.0, std::string("Édith Example"), -2.184714e-15, std::string("Wicket-keeper")},
      {1.0, 2.0, std::monostate{}, std::monostate{}, std::monostate{}}};
  const std::string workbook = folder.file("edited.xlsx");
  writeFileBytes(workbook, [&] {
    const std::string bytes = xlsxWorkbook(db::systemFileSystem(), table, "Players").value();
    return std::vector<db::Byte>(bytes.begin(), bytes.end());
  }());
  db::PlayerRecord player = playerAt(image, 1, 1);

  const CliRun run = zelborDb({"import", database, workbook});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("1\t1\trealName\t=SUM(A1:A3)\tÉdith Example\n"));
  putText(player.realName,
          "\xC9"
          "dith Example");
  putText(player.spoofName,
          "\xC9"
          "dith Example");
  player.role = 4;
  std::vector<db::Byte> expected = image;
  putPlayer(expected, 1, 1, player);
  EXPECT_EQ(readFileBytes(database), expected);
}

TEST_F(Spreadsheet, CsvCellsASpreadsheetRewroteAreRefusedByRowAndColumn) {
  const std::string csv = folder.file("saved.csv");
  writeText(csv,
            "team,slot,realName,dateOfBirth,bowlingAverageODI\n"
            "1,1,2,12/09/85,-2.18E-15\n"
            "1,2,#NAME?,,\n");
  const CliRun refused = zelborDb({"import", database, csv});
  EXPECT_EQ(refused.status, 4);
  EXPECT_THAT(refused.err,
              HasSubstr("row 2, column realName, value \"2\": the spreadsheet calculated"));
  EXPECT_THAT(refused.err,
              HasSubstr("row 2, column dateOfBirth, value \"12/09/85\": the spreadsheet rewrote"));
  EXPECT_THAT(refused.err,
              HasSubstr("row 3, column realName, value \"#NAME?\": a spreadsheet error"));
  EXPECT_THAT(refused.err, Not(HasSubstr("bowlingAverageODI")));
  EXPECT_EQ(readFileBytes(database), image);

  writeText(csv, "team,slot,bowlingAverageODI\n1,1,-2.18E-15\n");
  const CliRun rounded = zelborDb({"import", database, csv});
  EXPECT_EQ(rounded.status, 0) << rounded.err;
  EXPECT_EQ(rounded.out, "0 fields of 0 players in 0 teams changed.\n");
  EXPECT_EQ(readFileBytes(database), image);
}

TEST_F(Spreadsheet, ADamagedWorkbookIsRefusedNamingIt) {
  const std::string workbook = folder.file("broken.xlsx");
  writeText(workbook, "PK not really");
  const CliRun run = zelborDb({"import", database, workbook});
  EXPECT_EQ(run.status, 4);
  EXPECT_THAT(run.err, HasSubstr("Cannot read \"" + workbook + "\" as an xlsx workbook: "));
  EXPECT_EQ(readFileBytes(database), image);
}

}  // namespace
}  // namespace zelbor::cli
