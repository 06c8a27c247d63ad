#include "exchange/xlsx_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "exchange/text_output.h"
#include "exchange/xlsx_reader.h"
#include "support/zip_archive.h"

namespace zelbor::exchange {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Optional;
using zelbor::testing::zipArchive;
using zelbor::testing::zipEntry;

double shortestDouble(float value) {
  const std::string text = shortestText(value);
  double result = 0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

SheetTable rosterTable() {
  SheetTable table;
  table.columns = {
      {"name", true, {}}, {"style", true, {"Slow", "=Fast", "Élan"}}, {"average", false, {}}};
  table.rows = {{std::string("=SUM(A1)"), std::string("=Fast"), 0.1},
                {std::string("  Zoë 12/09/1985 "), std::string("7"), std::monostate{}}};
  return table;
}

TEST(XlsxWriter, TextStaysTextAndFloatsReadBackExactly) {
  const float floats[] = {-2.184714e-15f,
                          0.1f,
                          45.5f,
                          1e30f,
                          std::numeric_limits<float>::denorm_min(),
                          std::numeric_limits<float>::max(),
                          16777217.0f,
                          3.4028235e38f};
  SheetTable table = rosterTable();
  table.rows.push_back(
      {std::string("a\x01\tb_x0041_\r\n\x1f"), std::monostate{}, std::monostate{}});
  for (const float value : floats)
    table.rows.push_back({std::string("x"), std::monostate{}, shortestDouble(value)});
  const auto workbook = xlsxWorkbook(db::systemFileSystem(), table, "Players");
  ASSERT_TRUE(workbook.ok()) << workbook.error().message;
  const auto rows = readXlsxFirstSheet(workbook.value(), "w.xlsx");
  ASSERT_TRUE(rows.ok()) << rows.error().message;
  ASSERT_EQ(rows.value().size(), 4 + std::size(floats));
  EXPECT_THAT(rows.value()[0].cells, ElementsAre("name", "style", "average"));
  EXPECT_THAT(rows.value()[1].cells, ElementsAre("=SUM(A1)", "=Fast", "0.1"));
  EXPECT_THAT(rows.value()[2].cells,
              ElementsAre(Optional(std::string("  Zoë 12/09/1985 ")), Optional(std::string("7"))));
  EXPECT_EQ(rows.value()[2].number, 3);
  EXPECT_THAT(rows.value()[3].cells, ElementsAre("a\x01\tb_x0041_\r\n\x1f"));
  for (std::size_t i = 0; i < std::size(floats); ++i) {
    const std::string& text = *rows.value()[4 + i].cells.at(2);
    float back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, floats[i]) << text;
  }
}

TEST(XlsxWriter, HeaderIsFrozenTextColumnsAreTextListsAreDropDowns) {
  const auto workbook = xlsxWorkbook(db::systemFileSystem(), rosterTable(), "Players");
  ASSERT_TRUE(workbook.ok()) << workbook.error().message;
  const std::string sheet = zipEntry(workbook.value(), "xl/worksheets/sheet1.xml");
  EXPECT_THAT(
      sheet,
      HasSubstr(R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)"));
  EXPECT_THAT(
      sheet,
      HasSubstr(
          R"(<dataValidation type="list" allowBlank="1" showInputMessage="1" showErrorMessage="1" sqref="B2:B3"><formula1>Lists!$A$2:$A$4</formula1>)"));
  EXPECT_THAT(sheet, HasSubstr(R"(<col min="1" max="1" width="19.7109375" style="1")"));

  const auto lists = readXlsxFirstSheet(
      zipArchive(
          {{"xl/worksheets/sheet1.xml", zipEntry(workbook.value(), "xl/worksheets/sheet2.xml")},
           {"xl/sharedStrings.xml", zipEntry(workbook.value(), "xl/sharedStrings.xml")}}),
      "lists");
  ASSERT_TRUE(lists.ok());
  EXPECT_EQ(lists.value().size(), 4u);
  EXPECT_THAT(lists.value()[3].cells, ElementsAre("Élan"));
  EXPECT_EQ(workbook.value(), xlsxWorkbook(db::systemFileSystem(), rosterTable(), "Players").value())
      << "same table, same bytes";
}

}  // namespace
}  // namespace zelbor::exchange
