#include "db/text_codec.h"

#include <gtest/gtest.h>

namespace zelbor::db {
namespace {

TEST(TextCodec, EveryByteRoundTrips) {
  for (int value = 0; value < 256; ++value) {
    const std::array<Byte, 1> byte = {static_cast<Byte>(value)};
    const Windows1252Text encoded = encodeWindows1252(decodeWindows1252(byte));
    ASSERT_TRUE(encoded.ok()) << "byte " << value;
    EXPECT_EQ(encoded.bytes, std::vector<Byte>{byte[0]}) << "byte " << value;
  }
}

TEST(TextCodec, DecodesTheWindowsCharactersAndTheUndefinedBytesAsC1) {
  const std::vector<Byte> bytes = {0x80, 0x81, 0x8D, 0x9F, 0xE9, 'A'};
  EXPECT_EQ(decodeWindows1252(bytes), "\u20AC\u0081\u008D\u0178\u00E9A");
}

TEST(TextCodec, ReportsTheFirstCharacterWithoutAByte) {
  const Windows1252Text encoded = encodeWindows1252("Zo\u00EB \u0141ukasz \u4E2D");
  EXPECT_FALSE(encoded.ok());
  EXPECT_EQ(encoded.unencodable, U'\u0141');
  // A C1 character Windows leaves unnamed in its table still has no byte of its own.
  EXPECT_EQ(encodeWindows1252("\u0080").unencodable, U'\u0080');
  // Malformed UTF-8 is refused too, never written as something else.
  EXPECT_FALSE(encodeWindows1252(std::string("a\xC3", 2)).ok());
  EXPECT_FALSE(encodeWindows1252(std::string("\xED\xA0\x80", 3)).ok());
}

TEST(TextCodec, TellsWellFormedUtf8) {
  using namespace std::string_view_literals;
  for (const std::string_view text : {""sv, "Zo\u00EB"sv, "\uFFFD"sv, "\U0001F600"sv, "a\0b"sv}) {
    EXPECT_TRUE(isUtf8(text)) << text;
  }
  for (const char* text :
       {"\xC9lan", "a\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xEF\xBF"}) {
    EXPECT_FALSE(isUtf8(text)) << text;
  }
}

}  // namespace
}  // namespace zelbor::db
