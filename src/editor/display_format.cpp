#include "display_format.h"

#include <charconv>
#include <cmath>

namespace zelbor::editor {

std::string formatAverage(float value, std::string_view decimalSeparator) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buffer[32];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7).ptr;
  std::string text(buffer, end);
  if (text == "-0") text = "0";
  std::string shown;
  for (const char c : text) {
    if (c == '.') {
      shown += decimalSeparator;
    } else {
      shown += c == 'e' ? 'E' : c;
    }
  }
  return shown;
}

}  // namespace zelbor::editor
