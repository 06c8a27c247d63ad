#include "text_output.h"

#include <charconv>

namespace zelbor::exchange {

std::string tsvCell(std::string_view text) {
  std::string cell;
  cell.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\\':
        cell += "\\\\";
        break;
      case '\t':
        cell += "\\t";
        break;
      case '\n':
        cell += "\\n";
        break;
      case '\r':
        cell += "\\r";
        break;
      default:
        cell += c;
    }
  }
  return cell;
}

void writeRow(std::ostream& out, std::initializer_list<std::string_view> cells) {
  const char* separator = "";
  for (const std::string_view cell : cells) {
    out << separator << tsvCell(cell);
    separator = "\t";
  }
  out << '\n';
}

std::string shortestText(float value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

}  // namespace zelbor::exchange
