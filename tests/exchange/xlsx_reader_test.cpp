#include "exchange/xlsx_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/zip_archive.h"

namespace zelbor::exchange {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Optional;
using zelbor::testing::zipArchive;

constexpr const char* kWorkbook =
    R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="Players" sheetId="1" r:id="rId2"/><sheet name="Other" sheetId="2" r:id="rId3"/></sheets></workbook>)";
constexpr const char* kRelationships =
    R"(<Relationships>)"
    R"(<Relationship Id="rId3" Type="x/worksheet" Target="worksheets/other.xml"/>)"
    R"(<Relationship Id="rId2" Type="x/worksheet" Target="/xl/worksheets/players.xml"/>)"
    R"(<Relationship Id="rId4" Type="x/sharedStrings" Target="strings.xml"/></Relationships>)";
constexpr const char* kStrings =
    R"(<sst><si><t>Élan</t></si><si><r><t>=Rich</t></r><r><t xml:space="preserve"> text </t></r>)"
    R"(<rPh><t>hint</t></rPh></si><si><t>a_x0009_b_x005F_x0041_</t></si></sst>)";

std::vector<ImportRow> read(const std::string& sheet) {
  const std::string bytes = zipArchive({{"xl/workbook.xml", kWorkbook},
                                        {"xl/_rels/workbook.xml.rels", kRelationships},
                                        {"xl/strings.xml", kStrings},
                                        {"xl/worksheets/players.xml", sheet},
                                        {"xl/worksheets/other.xml", "<worksheet/>"}});
  auto rows = readXlsxFirstSheet(bytes, "players.xlsx");
  EXPECT_TRUE(rows.ok()) << rows.error().message;
  return rows.ok() ? rows.value() : std::vector<ImportRow>{};
}

TEST(XlsxReader, ReadsEveryKindOfCellOfTheFirstSheet) {
  const auto rows = read(
      R"(<x:worksheet xmlns:x="main"><x:sheetData>)"
      R"(<x:row r="1"><x:c r="A1" t="s"><x:v>0</x:v></x:c><x:c r="C1" t="s"><x:v>1</x:v></x:c></x:row>)"
      R"(<x:row r="4"><x:c r="A4"><x:v>-2.184714E-15</x:v></x:c><x:c t="b"><x:v>1</x:v></x:c>)"
      R"(<x:c t="e"><x:v>#NAME?</x:v></x:c><x:c t="str"><x:f>A4*2</x:f><x:v>cached</x:v></x:c>)"
      R"(<x:c t="inlineStr"><x:is><x:t>inline</x:t></x:is></x:c><x:c t="s"><x:v>2</x:v></x:c></x:row>)"
      R"(<x:row><x:c r="B5"><x:f>1+1</x:f><x:v>2</x:v></x:c><x:c r="C5" t="b"><x:v>0</x:v></x:c></x:row>)"
      R"(</x:sheetData></x:worksheet>)");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].number, 1);
  EXPECT_THAT(rows[0].cells, ElementsAre(Optional(std::string("Élan")), std::nullopt,
                                         Optional(std::string("=Rich text "))));
  EXPECT_EQ(rows[1].number, 4);
  EXPECT_THAT(rows[1].cells,
              ElementsAre("-2.184714E-15", "TRUE", "#NAME?", "cached", "inline", "a\tb_x0041_"));
  EXPECT_EQ(rows[2].number, 5);
  EXPECT_THAT(rows[2].cells, ElementsAre(std::nullopt, Optional(std::string("2")),
                                         Optional(std::string("FALSE"))));
}

TEST(XlsxReader, EmptyCellsHoldNoValue) {
  const auto rows = read(
      R"(<worksheet><sheetData><row r="2"><c r="A2"/><c r="B2" t="inlineStr"><is><t></t></is></c>)"
      R"(<c r="C2" s="1"><v></v></c></row></sheetData></worksheet>)");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].number, 2);
  EXPECT_TRUE(rows[0].cells.empty());
}

TEST(XlsxReader, DamagedWorkbooksAreRefusedNamingTheFile) {
  const std::string fine = R"(<worksheet><sheetData/></worksheet>)";
  const struct {
    std::string bytes;
    std::string reason;
  } cases[] = {
      {"not a zip", "it is not a zip archive"},
      {zipArchive({{"xl/worksheets/sheet1.xml", "<worksheet><sheetData><row>"}}), "not valid XML"},
      {zipArchive({{"xl/workbook.xml", "<workbook/>"}}), "it has no sheet"},
      {zipArchive(
           {{"xl/worksheets/sheet1.xml",
             R"(<worksheet><sheetData><row><c t="s"><v>0</v></c></row></sheetData></worksheet>)"}}),
       "shared string \"0\", which does not exist"},
      {zipArchive(
           {{"xl/worksheets/sheet1.xml",
             R"(<worksheet><sheetData><row r="3"><c r="A4"/></row></sheetData></worksheet>)"}}),
       "cell A4 is not in row 3"},
      {zipArchive(
           {{"xl/worksheets/sheet1.xml",
             R"(<worksheet><sheetData><row r="1"><c r="XFE1"/></row></sheetData></worksheet>)"}}),
       "cell XFE1 is not in row 1"},
      {zipArchive({{"xl/worksheets/sheet1.xml",
                    R"(<worksheet><sheetData><row r="1048577"/></sheetData></worksheet>)"}}),
       "row number 1048577"},
  };
  for (const auto& c : cases) {
    const auto rows = readXlsxFirstSheet(c.bytes, "roster.xlsx");
    ASSERT_FALSE(rows.ok()) << c.reason;
    EXPECT_EQ(rows.error().path, "roster.xlsx");
    EXPECT_THAT(rows.error().message,
                HasSubstr("Cannot read \"roster.xlsx\" as an xlsx workbook: "));
    EXPECT_THAT(rows.error().message, HasSubstr(c.reason));
  }
  EXPECT_TRUE(readXlsxFirstSheet(zipArchive({{"xl/worksheets/sheet1.xml", fine}}), "a").ok());
}

}  // namespace
}  // namespace zelbor::exchange
