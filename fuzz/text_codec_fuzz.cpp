// Decoding is total and encoding inverts it; text that encodes decodes back to itself.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "db/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelbor::db;
  const std::span<const Byte> bytes(data, size);
  const Windows1252Text again = encodeWindows1252(decodeWindows1252(bytes));
  if (!again.ok() || again.bytes != std::vector<Byte>(bytes.begin(), bytes.end())) __builtin_trap();

  const std::string_view asUtf8(reinterpret_cast<const char*>(data), size);
  const Windows1252Text encoded = encodeWindows1252(asUtf8);
  if (encoded.ok() && decodeWindows1252(encoded.bytes) != asUtf8) __builtin_trap();
  return 0;
}
