#include "control_characters.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace zelbor::exchange {

std::optional<char32_t> controlCharacterAt(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x20 || lead == 0x7F) return lead;
  if (lead != 0xC2 || text.size() < 2) return std::nullopt;
  const auto next = static_cast<unsigned char>(text[1]);
  if (next >= 0x80 && next <= 0x9F) return next;
  return std::nullopt;
}

std::string codePointName(char32_t codePoint) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(codePoint));
  return hex;
}

std::optional<std::string> controlCharacterReason(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto control = controlCharacterAt(text.substr(i));
    if (!control) continue;
    static constexpr std::array<std::pair<char32_t, std::string_view>, 4> kNames = {
        {{0x00, " (NUL)"}, {0x09, " (tab)"}, {0x0A, " (line feed)"}, {0x0D, " (carriage return)"}}};
    const auto named =
        std::ranges::find(kNames, *control, &std::pair<char32_t, std::string_view>::first);
    return "cannot hold the control character " + codePointName(*control) +
           std::string(named == kNames.end() ? "" : named->second);
  }
  return std::nullopt;
}

}  // namespace zelbor::exchange
