#pragma once

#include <optional>
#include <string_view>

namespace zelbor::editor {

// The leading decimal number of a box's text: blanks (space, tab, line feed) anywhere are ignored,
// then an optional sign, digits with an optional decimal point, and an optional exponent; 0 when
// the text does not begin with a number ("1 2" reads 12, "12abc" reads 12, "abc" reads 0).
// Always "." as the decimal point, whatever the locale.
double leadingNumber(std::string_view text);

// leadingNumber rounded to the nearest whole number, ties to even (2.5 gives 2, 3.5 gives 4), when
// the result lies in minimum..maximum; nothing otherwise.
std::optional<int> readWholeNumber(std::string_view text, int minimum, int maximum);

}  // namespace zelbor::editor
