#include "team_name.h"

#include <algorithm>

#include "text_codec.h"

namespace zelbor::db {

std::string teamDisplayName(std::span<const Byte, kTeamNameSize> nameBytes) {
  std::array<Byte, kTeamNameSize> spaced{};
  std::ranges::replace_copy(nameBytes, spaced.begin(), Byte{0}, Byte{' '});
  const std::string name = decodeWindows1252(spaced);
  const auto first = name.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

}  // namespace zelbor::db
