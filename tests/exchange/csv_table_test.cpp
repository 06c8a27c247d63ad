#include "exchange/csv_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zelbor::exchange {
namespace {

using ::testing::HasSubstr;

TEST(CsvTable, ReadsWhatSpreadsheetsWrite) {
  const auto table = std::get<CsvTable>(readCsvTable("\xEF\xBB\xBF"
                                                     "a;b;c\r\n"
                                                     "1;\"x;\"\"y\"\"\r\nz\";\r\n"
                                                     "\r\n"
                                                     "2\r\n"
                                                     "3;;4;5"))
                         .table;
  ASSERT_EQ(table.columns.size(), 3u);
  EXPECT_EQ(table.columns[0].name, "a");
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[0].number, 2);
  EXPECT_EQ(table.rows[0].cells,
            (std::vector<std::optional<std::string>>{"1", "x;\"y\"\r\nz", std::nullopt}));
  EXPECT_EQ(table.rows[1].number, 4) << "a blank line still counts as a row";
  EXPECT_EQ(table.rows[2].cells.size(), 4u);
  EXPECT_EQ(std::get<std::string>(readCsvTable("a,b\n1,\"x\"y\n")),
            "row 2: text follows the closing quote of a cell");
}

// Lines end as the first one does: a lone CR ends lines only where the first line ends with one,
// and is part of an unquoted cell elsewhere, as Gnumeric writes a stored CR.
TEST(CsvTable, ALoneCarriageReturnEndsLinesOnlyInAFileOfThem) {
  const struct {
    std::string text;
    std::vector<std::optional<std::string>> lastRow;
    std::size_t rows;
  } cases[] = {
      {"a,b\r1,2\r3,4", {"3", "4"}, 2},
      {"a,b\n1,Cara\rMae\n", {"1", "Cara\rMae"}, 1},
      {"a,b\r\n1,Cara\rMae\r\n2,\"x\"\r\n", {"2", "x"}, 2},
      {"a,b\r\n1,\"Cara\rMae\"\r\n", {"1", "Cara\rMae"}, 1},
  };
  for (const auto& c : cases) {
    const ImportTable table = std::get<CsvTable>(readCsvTable(c.text)).table;
    ASSERT_EQ(table.rows.size(), c.rows) << ::testing::PrintToString(c.text);
    EXPECT_EQ(table.rows.back().cells, c.lastRow) << ::testing::PrintToString(c.text);
  }
  EXPECT_EQ(std::get<CsvTable>(readCsvTable("a,b\r\n1,2\r\n")).table.rows[0].cells[0], "1");
}

// `text` as UTF-16 with its byte order mark.
std::string utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(CsvTable, ReadsTheEncodingsAndSeparatorsSpreadsheetsSave) {
  const struct {
    std::string bytes;
    std::string encoding;
    char separator;
  } cases[] = {
      {"team;slot;name\r\n1;2;\xC9lan \x80\r\n", "Windows-1252", ';'},
      {utf16(u"team\tslot\tname\r\n1\t2\t\u00C9lan \u20AC\r\n", false), "UTF-16", '\t'},
      {utf16(u"team\tslot\tname\n1\t2\t\u00C9lan \u20AC", true), "UTF-16", '\t'},
      {"\xEF\xBB\xBFteam,slot,name\n1,2,\xC3\x89lan \xE2\x82\xAC\n", "UTF-8", ','},
      {"team,slot,name\n1,2,\xC3\x89lan \xE2\x82\xAC\n", "UTF-8", ','},
  };
  for (const auto& c : cases) {
    const auto read = readCsvTable(c.bytes);
    ASSERT_TRUE(std::holds_alternative<CsvTable>(read)) << std::get<std::string>(read);
    const CsvTable& csv = std::get<CsvTable>(read);
    EXPECT_EQ(csv.encoding, c.encoding);
    EXPECT_EQ(csv.separator, c.separator) << c.encoding;
    ASSERT_EQ(csv.table.columns.size(), 3u) << c.encoding;
    ASSERT_EQ(csv.table.rows.size(), 1u) << c.encoding;
    EXPECT_EQ(csv.table.rows[0].cells[2], "Élan €") << c.encoding;
  }
  EXPECT_EQ(std::get<CsvTable>(readCsvTable(utf16(u"a\n\U0001F600", false))).table.rows[0].cells[0],
            "\U0001F600");
  for (const std::string& broken : {utf16(u"a\n\xD800", false),
                                    std::string("\xFF\xFE"
                                                "a"),
                                    std::string("\xEF\xBB\xBF"
                                                "a\n\xC9")}) {
    EXPECT_THAT(std::get<std::string>(readCsvTable(broken)), HasSubstr("but is not valid UTF-"));
  }
}

}  // namespace
}  // namespace zelbor::exchange
