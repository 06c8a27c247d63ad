#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelbor::exchange {

// The control character (C0, DEL or C1) that the UTF-8 sequence at the start of `text` is.
std::optional<char32_t> controlCharacterAt(std::string_view text);

// "U+0009" for a tab.
std::string codePointName(char32_t codePoint);

// Why a text field cannot hold `text`'s first control character; nothing when it holds none.
// Such characters hide players behind a NUL, or break a name over lines that the game shows as
// one.
std::optional<std::string> controlCharacterReason(std::string_view text);

}  // namespace zelbor::exchange
