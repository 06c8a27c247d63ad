// Cells and inputs a hostile or careless user gives import, through each of its formats.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "db/text_codec.h"
#include "support/database_image.h"
#include "support/temp_file.h"
#include "support/zip_archive.h"

namespace zelbor::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using zelbor::testing::blankDatabase;
using zelbor::testing::namedPlayer;
using zelbor::testing::playerAt;
using zelbor::testing::putPlayer;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

struct ImportRun {
  int status;
  std::string out;
  std::string err;
};

ImportRun zelborDb(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = runCli(arguments, out, err,
                            {db::systemFileSystem(), std::filesystem::current_path().string()});
  return {status, out.str(), err.str()};
}

// One player's row of named cells.
using Cells = std::vector<std::pair<std::string, std::string>>;

std::string csvOf(const Cells& cells) {
  std::string header;
  std::string row;
  for (const auto& [column, value] : cells) {
    header += (header.empty() ? "" : ",") + column;
    std::string quoted = "\"";
    for (const char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    row += (row.empty() ? "" : ",") + quoted + "\"";
  }
  return header + "\r\n" + row + "\r\n";
}

std::string jsonOf(const Cells& cells) {
  nlohmann::ordered_json player = nlohmann::ordered_json::object();
  for (const auto& [column, value] : cells) {
    player[column] = column == "team" || column == "slot" ? nlohmann::ordered_json(std::stoi(value))
                                                          : nlohmann::ordered_json(value);
  }
  return nlohmann::ordered_json::array({player}).dump();
}

// A text as a workbook's XML holds it: markup escaped, control characters as _xHHHH_.
std::string xmlText(std::string_view text) {
  std::string xml;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '&') {
      xml += "&amp;";
    } else if (c == '<') {
      xml += "&lt;";
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "_x%04X_", byte);
      xml += escaped;
    } else {
      xml += c;
    }
  }
  return xml;
}

// A workbook of one sheet whose cells are inline texts, the team and slot numbers.
std::string xlsxOf(const Cells& cells, const std::string& extraCells = "") {
  std::string header;
  std::string row;
  for (const auto& [column, value] : cells) {
    header += "<c t=\"inlineStr\"><is><t>" + xmlText(column) + "</t></is></c>";
    if (column == "team" || column == "slot") {
      row += "<c><v>" + value + "</v></c>";
    } else {
      row += "<c t=\"inlineStr\"><is><t xml:space=\"preserve\">" + xmlText(value) + "</t></is></c>";
    }
  }
  return zelbor::testing::zipArchive(
      {{"xl/worksheets/sheet1.xml", "<worksheet><sheetData><row r=\"1\">" + header +
                                        "</row><row r=\"2\">" + row + extraCells +
                                        "</row></sheetData></worksheet>"}});
}

class HostileImport : public ::testing::Test {
 protected:
  HostileImport() {
    for (int slot = 1; slot <= 3; ++slot) {
      putPlayer(image_, 1, slot, namedPlayer("Player " + std::to_string(slot), slot));
    }
    writeFileBytes(path_, image_);
  }

  std::string input(const std::string& name, std::string_view text) {
    const std::string file = dir_.file(name);
    writeFileBytes(file, std::vector<db::Byte>(text.begin(), text.end()));
    return file;
  }

  // The input in each format, by extension.
  std::vector<std::string> inputs(const Cells& cells) {
    return {input("in.csv", csvOf(cells)), input("in.json", jsonOf(cells)),
            input("in.xlsx", xlsxOf(cells))};
  }

  TempDir dir_;
  std::vector<db::Byte> image_ = blankDatabase();
  const std::string path_ = dir_.file("TeamAndPlayerInfo.bag");
};

TEST_F(HostileImport, HostileCellsAreRefusedInEveryFormatAndNothingIsWritten) {
  using namespace std::string_literals;
  const std::string huge(100000, 'x');
  const struct {
    std::string column;
    std::string value;
    std::string message;  // after `row 2, column C, value "`
  } cases[] = {
      {"realName", "\0"s, "<U+0000>\": the field cannot hold the control character U+0000 (NUL)"},
      {"realName", "Bo\0b"s, "Bo<U+0000>b\": the field cannot hold the control character U+0000"},
      {"realName", "a\tb",
       "a<U+0009>b\": the field cannot hold the control character U+0009 (tab)"},
      {"spoofName", "a\nb",
       "a<U+000A>b\": the field cannot hold the control character U+000A (line feed)"},
      {"bestBowlingODI", "a\rb",
       "a<U+000D>b\": the field cannot hold the control character U+000D (carriage return)"},
      {"dateOfBirth", "1\u0085", "1<U+0085>\": the field cannot hold the control character U+0085"},
      {"realName", "\x7F", "<U+007F>\": the field cannot hold the control character U+007F"},
      {"realName", "  ", "  \": the field a player's name cannot be emptied"},
      {"realName", "Ōsaka", "Ōsaka\": the field cannot hold the character \"Ō\""},
      {"realName", huge, std::string(60, 'x') + "…\": the field holds more than"},
      {"battingAbilities[0]", "300", "300\": the field takes a whole number from 0 to 255"},
      {"bowlStyle", "Sideways", "Sideways\": the field is neither a position nor an item"},
      {"bowlingAverageODI", "1e99", "1e99\": the field takes a number within the range"},
  };
  for (const auto& c : cases) {
    for (const std::string& file : inputs({{"team", "1"}, {"slot", "2"}, {c.column, c.value}})) {
      const ImportRun run = zelborDb({"import", path_, file, "--keep-spoof"});
      EXPECT_EQ(run.status, 4) << file << " " << c.message;
      EXPECT_THAT(run.err, HasSubstr("row 2, column " + c.column + ", value \"" + c.message))
          << file;
      EXPECT_LT(run.err.size(), 1000u) << "a cell is not echoed whole";
      EXPECT_THAT(run.out, IsEmpty());
      ASSERT_TRUE(readFileBytes(path_) == image_) << file << " " << c.message;
    }
  }
}

// Spreadsheets drop carriage returns or turn them into line feeds on saving; a file carried
// through any tool that does is still the stored text, in every container.
TEST_F(HostileImport, StoredControlCharactersAndRewrittenLineEndsAreNoChange) {
  for (const std::string stored : {"Bo\x01\r\n\x81z", "Cara\rMae", "\r\nAnn\r\r\nLee\r"}) {
    db::PlayerRecord player = playerAt(image_, 1, 2);
    std::ranges::fill(player.realName, 0);
    std::ranges::copy(stored, player.realName.begin());
    putPlayer(image_, 1, 2, player);
    writeFileBytes(path_, image_);
    const std::string asText = db::decodeUpToNul(player.realName);
    std::string withoutCr = asText;
    std::erase(withoutCr, '\r');
    std::string lineFeeds;
    for (std::size_t i = 0; i < asText.size(); ++i) {
      if (asText[i] != '\r') lineFeeds += asText[i];
      else if (i + 1 == asText.size() || asText[i + 1] != '\n') lineFeeds += '\n';
    }
    for (const std::string& value : {asText, withoutCr, lineFeeds}) {
      for (const std::string& file : inputs({{"team", "1"}, {"slot", "2"}, {"realName", value}})) {
        const ImportRun run = zelborDb({"import", path_, file});
        EXPECT_EQ(run.status, 0) << file << " " << ::testing::PrintToString(value) << run.err;
        EXPECT_THAT(run.out, HasSubstr("0 fields of 0 players in 0 teams changed.\n")) << file;
        ASSERT_TRUE(readFileBytes(path_) == image_) << file;
      }
    }
  }
  // Line ends that are no rewriting of the stored ones are an edit, refused for the control
  // character.
  for (const std::string& file : inputs({{"team", "1"}, {"slot", "2"}, {"realName", "Ann\nLee"}})) {
    EXPECT_EQ(zelborDb({"import", path_, file}).status, 4) << file;
  }
}

// The rewritings a spreadsheet makes arrive in a workbook as in CSV: one saved from a CSV opened
// with the wrong character set or locale. A JSON value is taken as written, but a misread
// character set is refused there too.
TEST_F(HostileImport, EverySheetMeetsTheSameGuards) {
  db::PlayerRecord player = playerAt(image_, 1, 2);
  std::ranges::fill(player.realName, 0);
  std::ranges::copy(std::string_view("\xC9lan Dubois"), player.realName.begin());
  std::ranges::fill(player.dateOfBirth, 0);
  std::ranges::copy(std::string_view("25/09/1981"), player.dateOfBirth.begin());
  player.bowlingAverageODI = 33.408f;
  putPlayer(image_, 1, 2, player);
  writeFileBytes(path_, image_);
  const struct {
    std::string column, value, message;
    bool json;
  } cases[] = {
      {"realName", "Ã‰lan Dubois", "read with the wrong character set", true},
      {"dateOfBirth", "1981-09-25", "the spreadsheet rewrote this cell as a date", false},
      {"bowlingAverageODI", "33408",
       "the spreadsheet read the decimal point as a thousands separator", false},
      {"realName", "#NAME?", "a spreadsheet error", false},
  };
  for (const auto& c : cases) {
    for (const std::string& file : inputs({{"team", "1"}, {"slot", "2"}, {c.column, c.value}})) {
      if (file.ends_with(".json") && !c.json) {
        EXPECT_EQ(zelborDb({"import", path_, file, "--dry-run"}).status, 0) << c.value;
        continue;
      }
      const ImportRun run = zelborDb({"import", path_, file});
      EXPECT_EQ(run.status, 4) << file << " " << c.value;
      EXPECT_THAT(run.err, HasSubstr("row 2, column " + c.column + ", value \"" + c.value +
                                     "\": " + c.message))
          << file;
      ASSERT_TRUE(readFileBytes(path_) == image_) << file;
    }
  }
  // Only a text written as shown (CSV) may be the stored average cut to fewer digits.
  const std::string cut = input("c.json", R"([{"team":1,"slot":2,"bowlingAverageODI":33.41}])");
  const ImportRun edited = zelborDb({"import", path_, cut, "--dry-run"});
  EXPECT_THAT(edited.out, HasSubstr("1\t2\tbowlingAverageODI\t33.408\t33.41\n"));
}

// Spreadsheets in comma-decimal locales separate cells by semicolons and write averages with a
// decimal comma.
TEST_F(HostileImport, ASemicolonFileWithDecimalCommasIsReadWithThem) {
  db::PlayerRecord player = playerAt(image_, 1, 1);
  player.bowlingAverageODI = 33.408f;
  player.battingAverageODI = 45.5f;
  putPlayer(image_, 1, 1, player);
  player = playerAt(image_, 1, 2);
  player.bowlingAverageODI = 0.125f;
  player.battingAverageODI = 2;
  putPlayer(image_, 1, 2, player);
  writeFileBytes(path_, image_);
  const std::string header = "team;slot;bowlingAverageODI;battingAverageODI\r\n";

  const ImportRun same =
      zelborDb({"import", path_, input("same.csv", header + "1;1;33,408;45,5\r\n1;2;0,125;\r\n")});
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.out, "0 fields of 0 players in 0 teams changed.\n");
  EXPECT_TRUE(readFileBytes(path_) == image_);

  const ImportRun edit = zelborDb(
      {"import", path_, input("edit.csv", header + "1;1;33,5;45,5\r\n1;2;0,125;7\r\n"), "--dry-run"});
  EXPECT_EQ(edit.status, 0) << edit.err;
  EXPECT_EQ(edit.out,
            "1\t1\tbowlingAverageODI\t33.408\t33.5\n1\t2\tbattingAverageODI\t2\t7\n"
            "2 fields of 2 players in 1 team would change.\n");

  const std::string mixedFile = input("mixed.csv", header + "1;1;33,5;45.5\r\n1;2;0,25;\r\n");
  const ImportRun mixed = zelborDb({"import", path_, mixedFile});
  EXPECT_EQ(mixed.status, 4);
  EXPECT_EQ(mixed.err,
            mixedFile + ": read as UTF-8 text with cells separated by semicolons.\n"
            "row 2, column battingAverageODI, value \"45.5\": written with a decimal point, where "
            "other averages (row 2, column bowlingAverageODI, value \"33,5\") have a decimal "
            "comma; write every average with the same mark\n"
            "Nothing was written: 1 cell of " + mixedFile + " is invalid.\n");
  EXPECT_TRUE(readFileBytes(path_) == image_);
}

// Inputs built to exhaust the stack, the memory or the report are refused with a short one.
TEST_F(HostileImport, HostileShapesAreRefusedWithABoundedReport) {
  std::string columns = "team,slot";
  for (int i = 0; i < 20000; ++i) columns += ",c" + std::to_string(i);
  std::string unknown = "team,slot";
  for (int i = 0; i < 5000; ++i) unknown += ",c" + std::to_string(i);
  std::string manyValues = R"([{"team":1,"slot":1,"shirtNumbers":[)";
  for (int i = 0; i < 1100000; ++i) manyValues += "0,";
  manyValues += "0]}]";
  const struct {
    std::string name, text, message;
  } cases[] = {
      {"deep.json",
       R"([{"team":1,"slot":1,"realName":)" + std::string(50000, '[') + std::string(50000, ']') +
           "}]",
       "it nests arrays and objects more than 16 deep"},
      {"deep2.json", std::string(50000, '[') + std::string(50000, ']'), "more than 16 deep"},
      {"values.json", manyValues, "it holds more than 1048576 cells"},
      {"wide.csv", columns + "\n1,1\n", "row 1 holds more than 16384 cells, the most a sheet has"},
      {"unknown.csv", unknown + "\n1,1\n",
       "row 1, column c499, value \"c499\": there is no such field; the columns are those export "
       "writes\n\u2026 and 4500 more\nNothing was written: 5000 cells of "},
      {"entity.xlsx",
       zelbor::testing::zipArchive(
           {{"xl/worksheets/sheet1.xml",
             "<worksheet><sheetData><row r=\"1\"><c t=\"inlineStr\"><is><t>team&bogus;</t></is>"
             "</c></row></sheetData></worksheet>"}}),
       "the part xl/worksheets/sheet1.xml refers to the entity \"&bogus;\", which XML does not "
       "define"},
  };
  for (const auto& c : cases) {
    const ImportRun run = zelborDb({"import", path_, input(c.name, c.text)});
    EXPECT_EQ(run.status, 4) << c.name;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << c.name;
    EXPECT_LT(run.err.size(), 60000u) << c.name;
  }
  EXPECT_TRUE(readFileBytes(path_) == image_);

  // The size limit, for a file (sparse, so the test writes nothing) and for standard input.
  const std::string large = dir_.file("large.csv");
  std::filesystem::resize_file(input("large.csv", ""), (64u << 20) + 1);
  const ImportRun file = zelborDb({"import", path_, large});
  EXPECT_EQ(file.status, 4);
  EXPECT_EQ(file.err, "Cannot import \"" + large +
                          "\": an import's input may hold at most 67108864 bytes (64 MiB), and it "
                          "holds more.\n");
  std::istringstream standardInput(std::string((64u << 20) + 1, ','));
  std::ostringstream out, err;
  const int status =
      runCli({"import", path_, "-", "--format", "csv"}, out, err,
             {db::systemFileSystem(), std::filesystem::current_path().string(), &standardInput});
  EXPECT_EQ(status, 4);
  EXPECT_THAT(err.str(), HasSubstr("\"the standard input\": an import's input may hold at most"));
  EXPECT_TRUE(readFileBytes(path_) == image_);
}

TEST_F(HostileImport, SpoofFieldsFollowOnlyARealFieldThatChangesAndTheirEditsNeedKeepSpoof) {
  db::PlayerRecord player = playerAt(image_, 1, 1);
  player.spoofName.fill(0);
  std::ranges::copy(std::string_view("Masked"), player.spoofName.begin());
  putPlayer(image_, 1, 1, player);
  writeFileBytes(path_, image_);

  const ImportRun role =
      zelborDb({"import", path_,
                input("r.json", R"([{"team":1,"slot":1,"hundredsODI":42,"spoofName":"Typed"}])")});
  ASSERT_EQ(role.status, 0) << role.err;
  EXPECT_EQ(role.out, "1\t1\thundredsODI\t" + std::to_string(player.hundredsODI) +
                          "\t42\n1 field of 1 player in 1 team changed.\n");
  EXPECT_THAT(role.err, HasSubstr("row 2, column spoofName, value \"Typed\": not written: the "
                                  "spoof fields follow the real ones; give --keep-spoof"));
  player.hundredsODI = 42;
  std::vector<db::Byte> expected = image_;
  putPlayer(expected, 1, 1, player);
  EXPECT_TRUE(readFileBytes(path_) == expected) << "the spoof name stays as stored";
}

TEST_F(HostileImport, InputWithoutPlayerRowsChangesNothing) {
  const std::string patch = zelborDb({"diff", path_, path_, "--format", "json"}).out;
  const std::string notCarried =
      R"({"players": [], "notCarried": [{"team":1,"slot":null,"field":"name","a":"A","b":"B"}]})";
  const struct {
    std::string name;
    std::string text;
  } cases[] = {
      {"diff.json", patch},
      {"empty.json", "[]"},
      {"other.json", notCarried},
      {"h.csv", "team,slot,realName\r\n"},
      {"n.csv", "realName\n"},
      {"e.xlsx", zelbor::testing::zipArchive(
                     {{"xl/worksheets/sheet1.xml", "<worksheet><sheetData/></worksheet>"}})},
  };
  for (const auto& c : cases) {
    const ImportRun run = zelborDb({"import", path_, input(c.name, c.text)});
    EXPECT_EQ(run.status, 0) << c.name << "\n" << run.err;
    EXPECT_EQ(run.out, "0 fields of 0 players in 0 teams changed.\n") << c.name;
  }
  EXPECT_THAT(zelborDb({"import", path_, input("o.json", notCarried)}).err,
              HasSubstr("the 1 difference listed as beyond a patch (team names, player counts, "
                        "lineups, other bytes) is not imported."));
  EXPECT_TRUE(readFileBytes(path_) == image_);
}

TEST_F(HostileImport, AmbiguousOrIncompleteInputIsRefused) {
  const auto sheet = [](const std::string& rows) {
    return zelbor::testing::zipArchive(
        {{"xl/worksheets/sheet1.xml",
          "<worksheet><sheetData>" + rows + "</sheetData></worksheet>"}});
  };
  const std::string header =
      R"(<row r="1"><c r="A1" t="inlineStr"><is><t>team</t></is></c><c r="B1" t="inlineStr"><is><t>slot</t></is></c>)"
      R"(<c r="C1" t="inlineStr"><is><t>dateOfBirth</t></is></c></row>)";
  const struct {
    std::string name;
    std::string text;
    std::string message;
  } cases[] = {
      {"twice.json", R"([{"team":1,"slot":1,"team":2}])",
       "row 2: the key \"team\" appears more than once in an object"},
      {"patch.json", R"({"players":[{"team":1,"slot":1},{"team":1,"slot":2,"slot":3}]})",
       "row 3: the key \"slot\" appears more than once"},
      {"array.json", R"([{"team":1,"slot":1,"shirtNumbers":[1,2],"shirtNumbers[0]":3}])",
       "row 2: the field \"shirtNumbers[0]\" is given twice"},
      {"huge.json", R"([{"team":1,"slot":1,"bowlingAverageODI":1e400}])",
       "it holds a number too large for any field"},
      {"broken.json", R"([{"team":1,)", "it is not valid JSON (at byte"},
      {"columns.csv", "team,slot,role,role\n1,1,1,2\n", "value \"role\": the column appears more"},
      {"cells.xlsx",
       sheet(header + R"(<row r="2"><c r="A2"><v>1</v></c><c r="B2"><v>1</v></c>)"
                      R"(<c r="B2"><v>2</v></c></row>)"),
       "row 2 holds cell B2 more than once"},
      {"formula.xlsx",
       sheet(header + R"(<row r="2"><c r="A2"><v>1</v></c><c r="B2"><f>0+1</f></c></row>)"),
       "cell B2 holds a formula without its calculated value; save the workbook in a "
       "spreadsheet program first"},
      {"empty.xlsx",
       sheet(header + R"(<row r="2"><c r="A2"><v>1</v></c><c r="B2"><v>1</v></c>)"
                      R"(<c r="C2" t="str"><f>A1</f><v></v></c></row>)"),
       "cell C2 holds a formula without its calculated value"},
      {"calculated.xlsx",
       sheet(header + R"(<row r="2"><c r="A2"><v>1</v></c><c r="B2"><v>1</v></c>)"
                      R"(<c r="C2" t="str"><f>A1</f><v>team</v></c></row>)"),
       "row 2, column dateOfBirth, value \"team\": the spreadsheet calculated this text as a "
       "formula"},
      {"serial.xlsx",
       sheet(header + R"(<row r="2"><c r="A2"><v>1</v></c><c r="B2"><v>1</v></c>)"
                      R"(<c r="C2" s="1"><v>27030</v></c></row>)"),
       "row 2, column dateOfBirth, value \"27030\": the spreadsheet read this text as a date or "
       "a number and rewrote it"},
  };
  for (const auto& c : cases) {
    const ImportRun run = zelborDb({"import", path_, input(c.name, c.text)});
    EXPECT_EQ(run.status, 4) << c.name << "\n" << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << c.name;
    EXPECT_THAT(run.err, Not(HasSubstr("another value"))) << c.name;
  }
  EXPECT_TRUE(readFileBytes(path_) == image_);
}

}  // namespace
}  // namespace zelbor::cli
