#include "db/team_name.h"

#include <gtest/gtest.h>

#include <string>

namespace zelbor::db {
namespace {

std::string shown(const std::string& raw) {
  std::array<Byte, kTeamNameSize> bytes{};
  std::copy_n(raw.begin(), std::min(raw.size(), bytes.size()), bytes.begin());
  return teamDisplayName(bytes);
}

TEST(TeamName, NulsCountAsSpacesAndOuterSpacesGo) {
  const struct {
    std::string raw;
    std::string expected;
  } cases[] = {
      {"AB", "AB"},
      {std::string("\0AB", 3), "AB"},
      {std::string("AB\0CD", 5), "AB CD"},
      {"  AB  ", "AB"},
      {"", ""},
      {std::string(32, ' '), ""},
      {std::string(32, 'Q'), std::string(32, 'Q')},
      {"Caf\xE9", "Caf\u00E9"},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(c.raw), c.expected) << c.raw;
}

}  // namespace
}  // namespace zelbor::db
