// Any text in a number box reads as a whole number in the field's range, or is refused.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/number_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)zelbor::editor::leadingNumber(text);
  const struct {
    int minimum;
    int maximum;
  } ranges[] = {{0, 255}, {-32768, 32767}};
  for (const auto& range : ranges) {
    const auto value = zelbor::editor::readWholeNumber(text, range.minimum, range.maximum);
    if (value && (*value < range.minimum || *value > range.maximum)) __builtin_trap();
  }
  return 0;
}
