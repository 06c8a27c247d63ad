#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "byte_order.h"

namespace zelbor::db {

// The database's texts are single-byte Windows-1252. In memory and in the windows text is UTF-8.
// Decoding is total: the five bytes Windows leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode
// to the C1 characters of the same number, so encode(decode(b)) == b for every byte.
std::string decodeWindows1252(std::span<const Byte> bytes);

// A fixed-width text field as the windows show it: up to, not including, its first NUL.
std::string decodeUpToNul(std::span<const Byte> field);

struct Windows1252Text {
  std::vector<Byte> bytes;
  // The first character that has no Windows-1252 byte (U+FFFD for malformed UTF-8); the bytes are
  // then incomplete and must not be written.
  std::optional<char32_t> unencodable;

  bool ok() const { return !unencodable.has_value(); }
};

Windows1252Text encodeWindows1252(std::string_view utf8);

std::string utf8FromCodePoint(char32_t codePoint);

// Whether `text` is well-formed UTF-8: no stray or missing continuation byte, overlong form,
// surrogate or code point beyond U+10FFFF.
bool isUtf8(std::string_view text);

}  // namespace zelbor::db
