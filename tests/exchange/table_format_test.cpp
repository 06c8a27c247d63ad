#include "exchange/table_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zelbor::exchange {
namespace {

TEST(TableFormat, TheExtensionNamesTheFormatInAnyCase) {
  const struct {
    std::string path;
    std::optional<TableFormat> format;
  } cases[] = {
      {"roster.CSV", TableFormat::Csv},
      {"C:\\Mods\\players.Json", TableFormat::Json},
      {"/home/a.b/players.xlsx", TableFormat::Xlsx},
      {"players.csv.txt", std::nullopt},
      {"folder.csv/players", std::nullopt},
      {"folder.csv\\players", std::nullopt},
      {"players", std::nullopt},
      {"players.", std::nullopt},
      {"players.xlsxx", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(tableFormatOf(c.path), c.format) << c.path;
}

TEST(TableFormat, EachFormatIsFoundByItsName) {
  for (const TableFormat format : {TableFormat::Csv, TableFormat::Json, TableFormat::Xlsx}) {
    EXPECT_EQ(formatNamed(formatName(format)), format);
  }
  EXPECT_EQ(formatNamed("text"), std::nullopt);
  EXPECT_EQ(formatNamed(""), std::nullopt);
}

}  // namespace
}  // namespace zelbor::exchange
