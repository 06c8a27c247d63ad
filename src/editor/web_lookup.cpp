#include "web_lookup.h"

#include <algorithm>
#include <vector>

#include "db/player_fields.h"
#include "db/text_codec.h"

namespace zelbor::editor {
namespace {

bool isUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// What follows "https://" or "http://"; nothing for another scheme.
std::optional<std::string_view> afterScheme(std::string_view address) {
  for (const std::string_view scheme : {"https://", "http://"}) {
    if (address.starts_with(scheme)) return address.substr(scheme.size());
  }
  return std::nullopt;
}

std::string_view hostOf(std::string_view rest) {
  return rest.substr(0, rest.find_first_of("/?#:"));
}

}  // namespace

std::optional<std::string> lookupAddressProblem(std::string_view address) {
  const std::optional<std::string_view> rest = afterScheme(address);
  if (!rest) return "does not start with https:// or http://";
  if (hostOf(*rest).empty()) return "names no website";
  const std::size_t mark = address.find(kNameMark);
  if (mark == std::string_view::npos) return "has no " + std::string(kNameMark) + " for the name";
  if (address.find(kNameMark, mark + 1) != std::string_view::npos) {
    return "has " + std::string(kNameMark) + " more than once";
  }
  for (const char c : address) {
    if (static_cast<unsigned char>(c) <= ' ') return "holds a blank or a control character";
  }
  return std::nullopt;
}

std::string lookupSiteName(std::string_view address) {
  const std::string_view host = hostOf(afterScheme(address).value_or(address));
  std::vector<std::string_view> labels;
  for (std::size_t start = 0;;) {
    const std::size_t dot = host.find('.', start);
    labels.push_back(host.substr(start, dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  // The site's name and its domain ("espncricinfo.com"), or three labels where the domain is a
  // country's second level ("example.co.uk").
  std::size_t kept = 2;
  if (labels.size() > 2 && labels.back().size() == 2 && labels[labels.size() - 2].size() <= 3) {
    kept = 3;
  }
  std::string site;
  for (std::size_t i = labels.size() - std::min(kept, labels.size()); i < labels.size(); ++i) {
    site += (site.empty() ? "" : ".") + std::string(labels[i]);
  }
  return site;
}

std::string lookupAddress(std::string_view address,
                          std::span<const db::Byte, db::kNameWidth> realName) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string encoded;
  // Blanks around the name would only add "+" to the search.
  for (const char c : db::trimSpaces(db::decodeUpToNul(realName))) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ') {
      encoded += '+';
    } else if (isUnreserved(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
  }
  std::string result(address);
  const std::size_t mark = result.find(kNameMark);
  if (mark != std::string::npos) result.replace(mark, kNameMark.size(), encoded);
  return result;
}

}  // namespace zelbor::editor
