#include "number_reading.h"

#include <charconv>
#include <cmath>
#include <string>

namespace zelbor::editor {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The text without blanks, cut to its leading number in the form from_chars reads.
std::string numberPrefix(std::string_view text) {
  std::string compact;
  for (const char c : text) {
    if (!isBlank(c)) compact += c;
  }
  std::string number;
  std::size_t i = 0;
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) {
    if (compact[i] == '-') number += '-';
    ++i;
  }
  bool anyDigit = false;
  for (; i < compact.size() && isDigit(compact[i]); ++i) number += compact[i], anyDigit = true;
  if (i < compact.size() && compact[i] == '.') {
    number += compact[i++];
    for (; i < compact.size() && isDigit(compact[i]); ++i) number += compact[i], anyDigit = true;
  }
  if (!anyDigit) return {};
  // An exponent counts only when digits follow it ("12e" reads 12). D is the old double exponent.
  if (i < compact.size() &&
      (compact[i] == 'e' || compact[i] == 'E' || compact[i] == 'd' || compact[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) exponent += compact[j++];
    if (j < compact.size() && isDigit(compact[j])) {
      for (; j < compact.size() && isDigit(compact[j]); ++j) exponent += compact[j];
      number += exponent;
    }
  }
  return number;
}

}  // namespace

double leadingNumber(std::string_view text) {
  const std::string number = numberPrefix(text);
  if (number.empty() || number == "-") return 0;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: what matters is the sign and whether it is huge.
    const bool tiny = number.find("e-") != std::string::npos;
    if (tiny) return 0;
    return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
  }
  return value;
}

std::optional<int> readWholeNumber(std::string_view text, int minimum, int maximum) {
  const double value = leadingNumber(text);
  if (!std::isfinite(value)) return std::nullopt;
  // nearbyint rounds in the default mode: to nearest, ties to even.
  const double rounded = std::nearbyint(value);
  if (rounded < minimum || rounded > maximum) return std::nullopt;
  return static_cast<int>(rounded);
}

}  // namespace zelbor::editor
