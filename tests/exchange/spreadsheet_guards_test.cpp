#include "exchange/spreadsheet_guards.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace zelbor::exchange {
namespace {

using ::testing::HasSubstr;
using ::testing::Optional;

TEST(CsvGuards, RoundedNumbersAreTheStoredOnes) {
  const struct {
    std::string_view cell, stored;
    bool rounded;
  } cases[] = {
      {"-2.18E-15", "-2.184714e-15", true},
      {"-2.1847E-15", "-2.184714e-15", true},
      {"-2.19E-15", "-2.184714e-15", false},
      {"2.18E-15", "-2.184714e-15", false},
      {"-2.18E-14", "-2.184714e-15", false},
      {"-0.00000000000000218", "-2.184714e-15", true},
      {"0.13", "0.125", true},
      {"0.12", "0.125", true},
      {"0.11", "0.125", false},
      {"1E+20", "9.9999998e+19", true},
      {"100000000000000000000", "9.9999998e+19", true},
      {"46", "45.5", true},
      {"45.5", "45.5", false},
      {"0", "0.001", false},
      {"abc", "0.5", false},
      {"0.5", "", false},
      {"0,13", "0.125", true},
      {"-2,18E-15", "-2.184714e-15", true},
      {"1,2", "1.234", true},
      {"1,234", "1.2345", false},  // or 1234, where commas group thousands
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isRoundedNumber(c.cell, c.stored), c.rounded) << c.cell << " for " << c.stored;
  }
}

TEST(CsvGuards, TextsWhoseLineEndsASpreadsheetRewrote) {
  const struct {
    std::string_view cell, stored;
    bool rewritten;
  } cases[] = {
      {"a\nb", "a\r\nb", true},     {"ab", "a\rb\r", true},       {"a\nb", "a\rb", true},
      {"a\nb\n", "a\rb\r\n", true}, {"a\n\nb", "a\r\rb", true},   {"", "\r", true},
      {"a\r\nb", "a\r\nb", false},  {"a\nb", "a\nb", false},      {"a b", "a\rb", false},
      {"a\nb", "a\r\nc", false},     {"a\rb", "a\r\r\nb", false}, {"a\n\nb", "a\r\nb", false},
      {"a\r\nb", "a\nb", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hasRewrittenLineEnds(c.cell, c.stored), c.rewritten)
        << ::testing::PrintToString(c.cell) << " for " << ::testing::PrintToString(c.stored);
  }
}

TEST(CsvGuards, SpreadsheetErrorsAreKnownByTheirText) {
  for (const char* error :
       {"#NAME?", "#VALUE!", "#REF!", "#N/A", "#DIV/0!", "Err:501", "Err:502"}) {
    EXPECT_TRUE(isSpreadsheetError(error)) << error;
  }
  for (const char* text : {"#1", "Err:5", "Err:5011", "#name?", "Err:abc", "Name"}) {
    EXPECT_FALSE(isSpreadsheetError(text)) << text;
  }
}

TEST(CsvGuards, MisreadCharacterSetsEitherWay) {
  EXPECT_TRUE(isMisreadCharacterSet("Ã‰lan", "Élan"));       // UTF-8 read as Windows-1252
  EXPECT_TRUE(isMisreadCharacterSet("Ã\u0089lan", "Élan"));  // UTF-8 read as Latin-1
  EXPECT_TRUE(isMisreadCharacterSet("\uFFFDlan", "Élan"));   // Windows-1252 read as UTF-8
  EXPECT_TRUE(isMisreadCharacterSet("Zo\uFFFD", "Zoë"));
  EXPECT_FALSE(isMisreadCharacterSet("Elan", "Élan"));
  EXPECT_FALSE(isMisreadCharacterSet("Élan", "Ã‰lan")) << "repairing earlier damage is an edit";
}

TEST(CsvGuards, TextsRereadAsDatesOrNumbers) {
  using enum Rereading;
  const struct {
    std::string_view cell, stored;
    Rereading reread;
  } cases[] = {
      {"12/09/85", "12/09/1985", Date},
      {"12/9/85", "12/09/1985", Date},
      {"12/09/1985", "12/09/1985  ", Trimmed},
      {"12/09/1985", "12/09/1985", None},
      {"12/09/86", "12/09/1985", Date},  // a two-digit year is another shape, whatever the year
      {"12/09/1986", "12/09/1985", None},
      {"13/09/85", "12/09/1985", Date},
      {"05/20/26", "5/20", Date},
      {"7", "007", Number},
      {"45", " 45", Trimmed},
      {"Smith", "Smith ", Trimmed},
      {"Smyth", "Smith", None},
      {"101", "101*", None},
      {"12-09-85", "12-09-1985", Date},
      {"12/09-85", "12/09/1985", None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rereadingOf(c.cell, c.stored), c.reread) << c.cell << " for " << c.stored;
  }
}

// What spreadsheets in various locales write for a date-like text, against edits that keep the
// stored shape.
TEST(CsvGuards, DateLikeTextsAgainstSpreadsheetRenderings) {
  const struct {
    std::string_view stored;
    std::vector<std::string_view> renderings, edits;
  } cases[] = {
      {"17/12/1979",
       {"1979/12/17", "1979-12-17", "17-Dec-1979", "Dec 17, 1979", "December 17, 1979",
        "17 déc. 1979", "17. Dez. 1979", "12/17/79", "17/12/79", "17.12.79", "17.12.1979",
        "17/12/1979 00:00", "12/17/1979 12:00:00 AM", "1979-12-17T00:00:00", "1979年12月17日",
        "1979. 12. 17.", "17-12-1979"},
       {"18/12/1979", "1/1/2000", "31/12/1899", "unknown", "17/12/1979 or so"}},
      {"6/27",
       {"06/27/26", "6/27/2026", "2026/06/27", "2026-06-27", "27/06/2026", "27.06.26", "27-Jun",
        "Jun 27", "Jun-27", "27-Jun-2026", "6月27日", "06/27", "27 juin 2026"},
       {"5/31", "10/2", "1/100", "0/0", "10/120", "6/27/3", "5"}},
      {"10/2",
       {"10/02/26", "02/10/26", "2026-10-02", "Oct 02", "2-Oct", "10月2日", "10/02",
        "2026年10月2日"},
       {"9/45", "0/10", "4/13"}},
      {"1985-09-12",
       {"12/09/1985", "09/12/85", "12.09.85", "Sep 12, 1985", "1985/09/12", "1985-09-12 00:00:00"},
       {"1986-01-31"}},
      {"12.09.1985", {"09/12/85", "12/09/85", "12.09.85", "1985-09-12"}, {"13.09.1985"}},
      {"1.5", {"01.05.26", "1/5/2026", "May 1", "01/05"}, {"2.5", "1.75", "1,5"}},
  };
  for (const auto& c : cases) {
    for (const std::string_view cell : c.renderings) {
      EXPECT_EQ(rereadingOf(cell, c.stored), Rereading::Date) << cell << " for " << c.stored;
    }
    for (const std::string_view cell : c.edits) {
      EXPECT_NE(rereadingOf(cell, c.stored), Rereading::Date) << cell << " for " << c.stored;
    }
  }
}

TEST(CsvGuards, NumberLikeTextsAgainstSpreadsheetRenderings) {
  using enum Rereading;
  const struct {
    std::string_view cell, stored;
    Rereading reread;
  } cases[] = {
      {"7", "007", Number},
      {"100000", "1e5", Number},
      {"1.00E+05", "1e5", Number},
      {"1,00E+05", "1e5", Number},
      {"100,000", "100000", Number},
      {"100.000", "100000", Number},
      {"100 000", "100000", Number},
      {"100\u202F000", "100000", Number},
      {"100'000", "100000", Number},
      {"45,5", "45.5", Number},
      {"1234", "1.234", Number},  // read with a decimal comma, thousands grouped by points
      {"51203887", "51203.887", Number},
      {"5120388", "51203.88", None},
      {"1.23456789012346E+019", "12345678901234567890", Number},
      {"0.123456789012346", "0.1234567890123456789", Number},
      {"8", "007", None},
      {"46", "45", None},
      {"450", "45", None},
      {"1.235", "1.234", None},
      {"0.13", "0.125", None},  // short texts are kept whole, so this is an edit
      {"10,00", "1000", None},
      {"1,2345", "12345", None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rereadingOf(c.cell, c.stored), c.reread) << c.cell << " for " << c.stored;
  }
}

constexpr CellArrival kCsv{true, false, false, true, false};
constexpr CellArrival kSheet{true};  // an xlsx text cell
constexpr CellArrival kTyped{};      // a JSON value

CellVerdict csv(const db::PlayerField& field, std::string_view cell, std::string_view stored) {
  return judgeCell(field, cell, stored, kCsv);
}

TEST(CsvGuards, VerdictsFollowTheFieldsKind) {
  const db::PlayerField& average = *db::findPlayerField("bowlingAverageODI");
  const db::PlayerField& birth = *db::findPlayerField("dateOfBirth");
  const db::PlayerField& name = *db::findPlayerField("realName");
  const db::PlayerField& runs = *db::findPlayerField("runsODI");

  EXPECT_TRUE(csv(average, "-2.18E-15", "-2.184714e-15").unchanged);
  EXPECT_TRUE(csv(average, "3", "2.5").unchanged) << "2.5 rounded to one digit";
  EXPECT_FALSE(csv(average, "4", "2.5").unchanged);
  EXPECT_THAT(csv(runs, "#VALUE!", "120").refusal, Optional(HasSubstr("spreadsheet error")));
  EXPECT_THAT(csv(name, "Err:501", "=Eve").refusal, Optional(HasSubstr("use xlsx")));
  EXPECT_THAT(csv(name, "2", "=SUM(A1:A3)").refusal, Optional(HasSubstr("as a formula")));
  EXPECT_THAT(csv(name, "2", "+1+1").refusal, Optional(HasSubstr("as a formula")));
  EXPECT_THAT(csv(name, "Ã‰lan", "Élan").refusal,
              Optional(std::string("read with the wrong character set; open the file as UTF-8")));
  EXPECT_THAT(csv(birth, "12/17/79", "17/12/1979").refusal,
              Optional(std::string("the spreadsheet rewrote this cell as a date (the database "
                                   "holds \"17/12/1979\", and an edit keeps that form); import "
                                   "the column as text or use xlsx")));
  EXPECT_FALSE(csv(birth, "18/12/1979", "17/12/1979").refusal);
  EXPECT_THAT(csv(name, "7", "007").refusal,
              Optional(HasSubstr("rewrote this cell as a number (the database holds \"007\")")));
  EXPECT_THAT(csv(name, "Smith", "Smith ").refusal, Optional(HasSubstr("dropped the blanks")));
  EXPECT_TRUE(csv(average, "45,5", "45.5").unchanged) << "written with a decimal comma";
  EXPECT_TRUE(csv(average, "45.50", "45.5").unchanged);
  EXPECT_FALSE(csv(average, "1,234", "1.234").unchanged) << "1234 where commas group thousands";
  EXPECT_FALSE(csv(average, "nan", "").unchanged) << "a stored NaN is exported as an empty cell";
  for (const auto& [cell, stored] : {std::pair{"33408", "33.408"}, {"-51203887", "-51203.887"}}) {
    EXPECT_THAT(csv(average, cell, stored).refusal,
                Optional(HasSubstr("read the decimal point as a thousands separator")))
        << cell;
  }
  EXPECT_FALSE(csv(average, "33.5", "33.408").refusal);
  EXPECT_EQ(csv(average, "33.5", "33.408").edit, "33.5");
  EXPECT_FALSE(csv(name, "Eve", "Eva").refusal);
  EXPECT_FALSE(csv(runs, "12", "120").unchanged) << "whole numbers are never rounded";
}

// Every sheet's cells meet the same guards; how a cell arrived only adds what it tells. A JSON
// value is as its author wrote it (a patch may change a date's shape), but for its character set
// and line ends.
TEST(CellGuards, EverySheetIsJudgedAlike) {
  const db::PlayerField& name = *db::findPlayerField("realName");
  const db::PlayerField& birth = *db::findPlayerField("dateOfBirth");
  const db::PlayerField& average = *db::findPlayerField("bowlingAverageODI");
  const CellArrival number{true, true, false, false, false};
  const CellArrival formula{true, false, true, false, false};
  for (const CellArrival& arrival : {kSheet, number, kCsv}) {
    EXPECT_TRUE(judgeCell(name, "#REF!", "Eve", arrival).refusal);
    EXPECT_THAT(judgeCell(birth, "1981-09-25", "25/09/1981", arrival).refusal,
                Optional(HasSubstr("as a date")));
    EXPECT_THAT(judgeCell(average, "33408", "33.408", arrival).refusal,
                Optional(HasSubstr("thousands separator")));
    EXPECT_TRUE(judgeCell(average, "33.4080", "33.408", arrival).unchanged);
  }
  for (const CellArrival& arrival : {kTyped, kSheet, number, kCsv}) {
    EXPECT_THAT(judgeCell(name, "Ã‰lan", "Élan", arrival).refusal,
                Optional(HasSubstr("wrong character set")));
    EXPECT_TRUE(judgeCell(name, "a\nb", "a\rb", arrival).unchanged);
  }
  EXPECT_TRUE(judgeCell(name, "Cara_x000D_Mae_x0001_", "Cara\rMae\x01", kCsv).unchanged)
      << "a workbook's escapes kept as text by a program that does not read them";
  EXPECT_FALSE(judgeCell(name, "Cara_x000D_Mae", "Cara\rMae", kTyped).unchanged);
  EXPECT_EQ(judgeCell(birth, "1981-09-25", "25/09/1981", kTyped).edit, "1981-09-25");
  EXPECT_EQ(judgeCell(name, "#N/A", "Eve", kTyped).edit, "#N/A");
  EXPECT_FALSE(judgeCell(average, "33.41", "33.408", kSheet).unchanged)
      << "only a text written as shown may be cut to fewer digits";
  EXPECT_TRUE(judgeCell(average, "33.41", "33.408", kCsv).unchanged);
  EXPECT_THAT(judgeCell(name, "Ed", "Eve", number).refusal,
              Optional(HasSubstr("read this text as a date or a number")));
  EXPECT_THAT(judgeCell(name, "Ed", "=A1", formula).refusal, Optional(HasSubstr("as a formula")));
  EXPECT_EQ(judgeCell(name, "Ed", "=A1", kSheet).edit, "Ed") << "a text cell is an edit";
  EXPECT_EQ(judgeCell(name, "Ed", "Eve", kTyped).edit, "Ed");
}

TEST(CellGuards, ADecimalCommaIsReadWhereTheFileWritesOne) {
  const db::PlayerField& average = *db::findPlayerField("bowlingAverageODI");
  const CellArrival comma{true, false, false, true, true};
  EXPECT_TRUE(judgeCell(average, "33,408", "33.408", comma).unchanged);
  EXPECT_TRUE(judgeCell(average, "-2,18E-15", "-2.184714e-15", comma).unchanged);
  EXPECT_EQ(judgeCell(average, "33,5", "33.408", comma).edit, "33.5");
  EXPECT_EQ(judgeCell(average, "1,234", "1.5", comma).edit, "1.234");
  EXPECT_EQ(judgeCell(average, "1,234", "1.5", kCsv).edit, "1,234") << "refused when read";
  EXPECT_TRUE(judgeCell(average, "33408", "33.408", comma).refusal);

  const struct {
    std::string_view cell;
    std::optional<char> mark;
  } marks[] = {{"33.408", '.'}, {"33,408", ','}, {"-2,18E-15", ','}, {"1e-05", std::nullopt},
               {"33", std::nullopt}, {"1.234,5", std::nullopt}, {",5", std::nullopt},
               {"a,b", std::nullopt}, {"5,", std::nullopt}};
  for (const auto& c : marks) EXPECT_EQ(decimalMarkOf(c.cell), c.mark) << c.cell;
}

}  // namespace
}  // namespace zelbor::exchange
