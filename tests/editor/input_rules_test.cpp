#include "editor/input_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "db/list_files.h"
#include "editor/ability_bars.h"
#include "editor/display_format.h"
#include "editor/number_reading.h"

namespace zelbor::editor {
namespace {

TEST(InputRules, KeyFiltersDiscardWhatTheBoxCannotTake) {
  const struct {
    TextBox box;
    char32_t typed;
    std::string_view current;
    bool accepted;
  } cases[] = {
      {txtBat(0), U'7', "", true},
      {txtBat(0), U'a', "", false},
      {txtBat(0), U' ', "", true},
      {txtBat(0), U'\b', "12", true},
      {txtBat(0), U'\x16', "", true},
      {txtBat(0), U'-', "", false},
      {txtBat(0), U'\u00E9', "", false},
      {txtBat(0), U'\u4E2D', "", false},
      {txtShirt(3), U'/', "", false},
      {txtStats(5), U'9', "", true},
      {TextBox::txtDOB, U'/', "12", true},
      {TextBox::txtDOB, U'x', "", false},
      {TextBox::txtBatAvge, U'.', "4", true},
      {TextBox::txtBatAvge, U'.', "4.5", false},
      {TextBox::txtBowlAvge, U'5', "4.", true},
      {TextBox::txtBowlAvge, U'e', "", false},
      {TextBox::txtRealName, U'\u00E9', "", true},
      {TextBox::txtBestBatODI, U'*', "", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(keyAccepted(c.box, keyCode(c.typed), c.current), c.accepted)
        << designName(c.box) << " typed U+" << std::hex << static_cast<int>(c.typed);
  }
}

TEST(InputRules, GreatestLengths) {
  const std::pair<TextBox, int> cases[] = {
      {txtBat(0), 2},           {txtField(4), 2},           {txtShirt(1), 0},
      {txtStats(0), 3},         {txtStats(1), 3},           {txtStats(4), 3},
      {txtStats(2), 5},         {txtStats(3), 5},           {txtStats(5), 5},
      {TextBox::txtNOs, 3},     {TextBox::txtTons, 3},      {TextBox::txtHalfs, 3},
      {TextBox::txtDOB, 16},    {TextBox::txtRealName, 32}, {TextBox::txtBestBowlODI, 100},
      {TextBox::txtBatAvge, 0},
  };
  for (const auto& [box, length] : cases) EXPECT_EQ(greatestLength(box), length) << designName(box);
}

TEST(InputRules, ControlNamesKeepTheirArrayIndexBase) {
  EXPECT_EQ(designName(txtShirt(1)), "txtShirt(1)");
  EXPECT_EQ(designName(txtShirt(4)), "txtShirt(4)");
  EXPECT_EQ(designName(txtBat(0)), "txtBat(0)");
  EXPECT_EQ(designName(txtField(4)), "txtField(4)");
  EXPECT_EQ(designName(txtStats(5)), "txtStats(5)");
  EXPECT_EQ(designName(TextBox::txtBowlAvge), "txtBowlAvge");
  EXPECT_EQ(caption(txtBowl(1)), "Swing");
  EXPECT_EQ(caption(txtStats(3)), "Balls Bowled");
}

TEST(NumberReading, LeadingDecimalNumberRoundedHalfToEven) {
  const struct {
    std::string_view text;
    double leading;
    std::optional<int> asByte;
  } cases[] = {
      {"", 0, 0},
      {"abc", 0, 0},
      {"12", 12, 12},
      {"1 2", 12, 12},
      {" 7\t", 7, 7},
      {"12abc", 12, 12},
      {"2.5", 2.5, 2},
      {"3.5", 3.5, 4},
      {"0.5", 0.5, 0},
      {"255.4", 255.4, 255},
      {"255.5", 255.5, std::nullopt},
      {"256", 256, std::nullopt},
      {"-1", -1, std::nullopt},
      {"-0.4", -0.4, 0},
      {"1e2", 100, 100},
      {"1e", 1, 1},
      {"1.5E+1", 15, 15},
      {".5", 0.5, 0},
      {"+8", 8, 8},
      {"1e999", HUGE_VAL, std::nullopt},
      {"--1", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(leadingNumber(c.text), c.leading) << c.text;
    EXPECT_EQ(readWholeNumber(c.text, 0, 255), c.asByte) << c.text;
  }
  EXPECT_EQ(readWholeNumber("-32768", -32768, 32767), -32768);
  EXPECT_EQ(readWholeNumber("32767.5", -32768, 32767), std::nullopt);
  EXPECT_EQ(readWholeNumber("40000", -32768, 32767), std::nullopt);
}

// Inserted text is taken whole or refused whole: only when typing it character by character would
// be taken, and only when the box can hold all of it.
TEST(InputRules, InsertedTextIsTakenOrRefusedWhole) {
  struct Case {
    TextBox box;
    std::string_view inserted;
    std::string_view current;  // the inserted text goes at its end
    std::string_view taken;    // what goes in; empty when refused
  };
  const Case cases[] = {
      {txtBat(0), "12", "", "12"},
      {txtBat(0), "x7", "", ""},
      {txtStats(2), "-50", "", ""},
      {txtStats(2), "1 2", "", "1 2"},  // the space is a control code
      {txtStats(2), "", "-12", ""},     // deleting is always allowed
      {TextBox::txtDOB, "12/03/75", "", "12/03/75"},
      {TextBox::txtDOB, "12.03.75", "", ""},
      {TextBox::txtBatAvge, "4.5", "", "4.5"},
      {TextBox::txtBatAvge, "4.5.", "", ""},  // the second "." counts the first
      {TextBox::txtBatAvge, ".5", "4.5", ""},
      {txtShirt(1), "\u0661", "", ""},  // an Arabic-Indic digit has no byte
      {TextBox::txtRealName, "\u00e9 -", "", "\u00e9 -"},
      {TextBox::txtRealName, "\u0141ukasz", "", ""},
      {TextBox::txtRealName, "\U0001F600", "", ""},
      // Not cut to the box's length, but refused.
      {txtStats(2), "1234567", "", ""},
      {txtStats(1), "12345", "", ""},
      {txtBat(0), "300", "", ""},
      {txtBat(0), "5", "12", ""},
      {TextBox::txtRealName, std::string_view("Abcdefghijklmnopqrstuvwxyz0123456789Abcde"), "", ""},
      {TextBox::txtRealName, "Abcdefghijklmnopqrstuvwxyz012345", "",
       "Abcdefghijklmnopqrstuvwxyz012345"},
      // Blanks around a number are trimmed first.
      {txtStats(0), "  75 ", "", "75"},
      {txtBat(0), "\t9 ", "1", "9"},
      {txtStats(2), "1234\r\n", "", "1234"},
      {txtStats(0), " ", "", " "},  // a typed space stays a space
      {TextBox::txtRealName, " Al ", "", " Al "},
      // One line per box: a control character inside is refused, in a name even at its end.
      {TextBox::txtRealName, "Al\tBrown", "", ""},
      {TextBox::txtRealName, "Al\r\nBrown", "", ""},
      {TextBox::txtRealName, "Al Brown\n", "", ""},
      {TextBox::txtRealName, "Al\u0085", "", ""},
      {TextBox::txtBestBatODI, "1\x7f", "", ""},
      {txtStats(2), "1\t2", "", ""},
  };
  for (const Case& c : cases) {
    const Insertion insertion = checkInsertion(c.box, c.inserted, c.current, c.current.size());
    EXPECT_EQ(insertion.refusal.empty() ? insertion.text : "", c.taken)
        << designName(c.box) << " " << c.inserted;
    EXPECT_EQ(insertion.refusal.empty(), !c.taken.empty() || c.inserted.empty())
        << designName(c.box) << " " << c.inserted;
  }
  EXPECT_FALSE(editable(TextBox::txtBatAvge));
  EXPECT_FALSE(editable(TextBox::txtBowlAvge));
  EXPECT_TRUE(editable(txtStats(2)));
}

// A box set longer than its limit keeps what it holds, and only shortening changes go in.
TEST(InputRules, ALongerTextFromTheEditorLimitsGrowthNotEditing) {
  EXPECT_TRUE(checkInsertion(txtBat(0), "9", "150", 2).refusal.empty()) << "a digit replaced";
  EXPECT_FALSE(checkInsertion(txtBat(0), "9", "150", 3).refusal.empty());
  EXPECT_TRUE(checkInsertion(txtBat(0), "9", "\u00e9\u00e9", 1).refusal.empty())
      << "lengths count characters";
}

TEST(InputRules, RefusalsSayWhy) {
  const struct {
    TextBox box;
    std::string_view inserted;
    std::string_view message;
  } cases[] = {
      {txtStats(2), "1234567",
       "\"Runs\" holds at most 5 characters, so \"1234567\" was not inserted."},
      {txtStats(2), "-50", "\"Runs\" takes only the digits 0 to 9, so \"-50\" was not inserted."},
      {TextBox::txtDOB, "1.2",
       "\"D.O.B.\" takes only the digits 0 to 9 and \"/\", so \"1.2\" was not inserted."},
      // As the save says it.
      {TextBox::txtRealName, "\u0141ukasz",
       "\"Name\" cannot hold the character \"\u0141\": the game's database stores only Western "
       "European (Windows-1252) characters."},
      // As the import says it.
      {TextBox::txtRealName, "Al\tBrown",
       "\"Name\" cannot hold the control character U+0009 (tab)."},
      {TextBox::txtBestBowlODI, "5-20\n6-30",
       "\"Best Bowling\" cannot hold the control character U+000A (line feed)."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(checkInsertion(c.box, c.inserted, "", 0).refusal, c.message) << c.inserted;
  }
}

TEST(AbilityBars, ColourAndWidthFollowTheValue) {
  const editor::Colour red{255, 80, 80}, orange{255, 190, 80}, yellow{255, 255, 80},
      green{50, 255, 70}, blue{230, 250, 255};
  const std::pair<double, editor::Colour> cases[] = {
      {90, red},    {99, red},   {89, orange}, {85, orange}, {84, yellow},
      {80, yellow}, {79, green}, {70, green},  {69, blue},   {0, blue}};
  for (const auto& [value, colour] : cases) EXPECT_EQ(abilityBar(value).colour, colour) << value;
  EXPECT_DOUBLE_EQ(abilityBar(0).widthTwips, 280);
  EXPECT_DOUBLE_EQ(abilityBar(90).widthTwips, 1580.5);
  EXPECT_DOUBLE_EQ(abilityBar(99).widthTwips, 1710.55);
  EXPECT_DOUBLE_EQ(abilityBar(-50).widthTwips, 280) << "a pasted negative draws as 0";
  EXPECT_DOUBLE_EQ(abilityBar(1e9).widthTwips, 255 * 14.45 + 280);
}

TEST(DisplayFormat, AveragesShowAtMostSevenSignificantDigits) {
  const std::pair<float, std::string_view> cases[] = {
      {45.5f, "45.5"},
      {0.25f, "0.25"},
      {0.0f, "0"},
      {-0.0f, "0"},
      {33.333332f, "33.33333"},
      {12345678.0f, "1.234568E+07"},
      {0.1f, "0.1"},
      {-2.5f, "-2.5"},
      {std::numeric_limits<float>::quiet_NaN(), "NaN"},
      {std::numeric_limits<float>::infinity(), "Infinity"}};
  for (const auto& [value, shown] : cases) EXPECT_EQ(formatAverage(value, "."), shown) << value;
  EXPECT_EQ(formatAverage(45.5f, ","), "45,5");
}

TEST(ListFiles, OneEntryPerLineTakenUnchanged) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(db::splitListLines("A\r\n\r\nB\r\n"), (Lines{"A", "", "B"}));
  EXPECT_EQ(db::splitListLines(""), Lines{});
  EXPECT_EQ(db::splitListLines("  padded \r\nlast"), (Lines{"  padded ", "last"}));
  EXPECT_EQ(db::splitListLines("unix\nlines\n"), (Lines{"unix", "lines"}));
}

}  // namespace
}  // namespace zelbor::editor
