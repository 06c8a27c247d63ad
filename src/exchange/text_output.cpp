#include "text_output.h"

#include <charconv>
#include <cstdio>

#include "db/text_codec.h"

namespace zelbor::exchange {
namespace {

// How many bytes of well-formed UTF-8 start `text`: one character's, or none.
std::size_t characterLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (length > text.size() || !db::isUtf8(text.substr(0, length))) return 0;
  return length;
}

}  // namespace

std::string tsvCell(std::string_view text) {
  std::string cell;
  cell.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (const std::size_t length = characterLength(text.substr(i)); length != 1) {
      if (length == 0) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
        cell += escaped;
      } else {
        cell += text.substr(i, length);
        i += length - 1;
      }
      continue;
    }
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
