#include "web_lookup.h"

#include "db/text_codec.h"

namespace zelbor::editor {
namespace {

bool isUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string lookupAddress(std::span<const db::Byte, db::kNameWidth> realName) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string address =
      "http://" + std::string(kLookupHost) + "/ci/content/site/search.html?search=";
  std::string name = db::decodeUpToNul(realName);
  // Blanks after the name would only add "+" to the search.
  name.erase(name.find_last_not_of(" \t") + 1);
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ') {
      address += '+';
    } else if (isUnreserved(byte)) {
      address += c;
    } else {
      address += '%';
      address += kHexDigits[byte >> 4];
      address += kHexDigits[byte & 0x0F];
    }
  }
  return address;
}

}  // namespace zelbor::editor
