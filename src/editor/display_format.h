#pragma once

#include <string>
#include <string_view>

namespace zelbor::editor {

// A stored single-precision average as the window shows it: at most 7 significant digits, no
// trailing zeros, a zero before a leading decimal point, the user's decimal separator; 45.5 shows
// "45.5", 0.25 "0.25", 0 "0", 12345678 "1.234568E+07". A value that is not a number shows "NaN",
// an infinite one "Infinity" or "-Infinity".
std::string formatAverage(float value, std::string_view decimalSeparator);

}  // namespace zelbor::editor
