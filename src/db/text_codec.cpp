#include "text_codec.h"

#include <algorithm>
#include <array>

namespace zelbor::db {
namespace {

// Code points of the bytes 0x80..0x9F; the other bytes map to the code point of the same number.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kReplacementCharacter = 0xFFFD;

char32_t codePointOfByte(Byte byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControlRange[byte - 0x80];
  return byte;
}

std::optional<Byte> byteOfCodePoint(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<Byte>(codePoint);
  }
  for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
    if (kHighControlRange[i] == codePoint) return static_cast<Byte>(0x80 + i);
  }
  return std::nullopt;
}

// Reads one code point from UTF-8 at `position`, advancing it; malformed input gives U+FFFD.
char32_t nextCodePoint(std::string_view utf8, std::size_t& position) {
  const auto lead = static_cast<unsigned char>(utf8[position++]);
  if (lead < 0x80) return lead;
  int continuationCount = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    continuationCount = 1, codePoint = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    continuationCount = 2, codePoint = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    continuationCount = 3, codePoint = lead & 0x07, smallest = 0x10000;
  } else {
    return kReplacementCharacter;
  }
  for (int i = 0; i < continuationCount; ++i) {
    if (position >= utf8.size()) return kReplacementCharacter;
    const auto next = static_cast<unsigned char>(utf8[position]);
    if ((next & 0xC0) != 0x80) return kReplacementCharacter;
    codePoint = (codePoint << 6) | (next & 0x3F);
    ++position;
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < smallest || codePoint > 0x10FFFF || surrogate) return kReplacementCharacter;
  return codePoint;
}

}  // namespace

bool isUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    // A replacement character is malformed input unless it was written as one.
    if (nextCodePoint(text, at) == kReplacementCharacter &&
        text.substr(start, at - start) != "\xEF\xBF\xBD") {
      return false;
    }
  }
  return true;
}

std::string utf8FromCodePoint(char32_t codePoint) {
  std::string out;
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return out;
}

std::string decodeWindows1252(std::span<const Byte> bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const Byte byte : bytes) out += utf8FromCodePoint(codePointOfByte(byte));
  return out;
}

std::string decodeUpToNul(std::span<const Byte> field) {
  const auto end = std::find(field.begin(), field.end(), Byte{0});
  return decodeWindows1252(std::span<const Byte>(field.begin(), end));
}

Windows1252Text encodeWindows1252(std::string_view utf8) {
  Windows1252Text result;
  result.bytes.reserve(utf8.size());
  std::size_t position = 0;
  while (position < utf8.size()) {
    const char32_t codePoint = nextCodePoint(utf8, position);
    const std::optional<Byte> byte =
        codePoint == kReplacementCharacter ? std::nullopt : byteOfCodePoint(codePoint);
    if (!byte) {
      result.unencodable = codePoint;
      return result;
    }
    result.bytes.push_back(*byte);
  }
  return result;
}

}  // namespace zelbor::db
