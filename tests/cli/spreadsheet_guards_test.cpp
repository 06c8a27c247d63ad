#include "cli/spreadsheet_guards.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelbor::cli {
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
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isRoundedNumber(c.cell, c.stored), c.rounded) << c.cell << " for " << c.stored;
  }
}

TEST(CsvGuards, TextsThatLostOnlyTheirCarriageReturns) {
  const struct {
    std::string_view cell, stored;
    bool lost;
  } cases[] = {
      {"a\nb", "a\r\nb", true}, {"ab", "a\rb\r", true},      {"a\r\nb", "a\r\nb", false},
      {"a\nb", "a\nb", false},  {"a b", "a\rb", false},      {"a\nb", "a\r\nc", false},
      {"", "\r", true},         {"a\rb", "a\r\r\nb", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isWithoutCarriageReturns(c.cell, c.stored), c.lost)
        << ::testing::PrintToString(c.stored);
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
  const struct {
    std::string_view cell, stored;
    bool reread;
  } cases[] = {
      {"12/09/85", "12/09/1985", true},
      {"12/9/85", "12/09/1985", true},
      {"12/09/1985", "12/09/1985  ", true},
      {"12/09/86", "12/09/1985", false},
      {"12/09/1986", "12/09/1985", false},
      {"13/09/85", "12/09/1985", false},
      {"05/20/26", "5/20", true},
      {"7", "007", true},
      {"45", " 45", true},
      {"Smith", "Smith ", true},
      {"Smyth", "Smith", false},
      {"101", "101*", false},
      {"12-09-85", "12-09-1985", true},
      {"12/09-85", "12/09/1985", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isRereadText(c.cell, c.stored), c.reread) << c.cell << " for " << c.stored;
  }
}

CellVerdict csv(const db::PlayerField& field, std::string_view cell, std::string_view stored) {
  return judgeRewrittenCell(InputGuards::CsvRewriting, field, cell, stored);
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
  EXPECT_THAT(csv(birth, "12/09/85", "12/09/1985").refusal,
              Optional(HasSubstr("import the column as text or use xlsx")));
  EXPECT_FALSE(csv(name, "Eve", "Eva").refusal);
  EXPECT_FALSE(csv(runs, "12", "120").unchanged) << "whole numbers are never rounded";
}

TEST(CsvGuards, OtherInputsAreJudgedLess) {
  const db::PlayerField& name = *db::findPlayerField("realName");
  const db::PlayerField& average = *db::findPlayerField("bowlingAverageODI");
  EXPECT_TRUE(judgeRewrittenCell(InputGuards::ErrorValues, name, "#REF!", "Eve").refusal);
  EXPECT_FALSE(
      judgeRewrittenCell(InputGuards::ErrorValues, name, "12/09/85", "12/09/1985").refusal);
  EXPECT_FALSE(judgeRewrittenCell(InputGuards::ErrorValues, average, "0.1", "0.125").unchanged);
  EXPECT_FALSE(judgeRewrittenCell(InputGuards::None, name, "#REF!", "Eve").refusal);
}

}  // namespace
}  // namespace zelbor::cli
