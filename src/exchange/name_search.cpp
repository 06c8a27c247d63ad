#include "name_search.h"

#include <algorithm>

#include "db/text_codec.h"

namespace zelbor::exchange {
namespace {

// The small letter of a Windows-1252 capital; every other byte stands for itself.
db::Byte foldCase(db::Byte byte) {
  const bool asciiCapital = byte >= 'A' && byte <= 'Z';
  const bool latinCapital = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;  // 0xD7 is the sign ×
  if (asciiCapital || latinCapital) return static_cast<db::Byte>(byte + 0x20);
  switch (byte) {
    case 0x8A:
      return 0x9A;  // Š
    case 0x8C:
      return 0x9C;  // Œ
    case 0x8E:
      return 0x9E;  // Ž
    case 0x9F:
      return 0xFF;  // Ÿ
    default:
      return byte;
  }
}

}  // namespace

NameSearch::NameSearch(std::string_view utf8Text) {
  db::Windows1252Text encoded = db::encodeWindows1252(utf8Text);
  if (!encoded.ok()) return;
  std::transform(encoded.bytes.begin(), encoded.bytes.end(), encoded.bytes.begin(), foldCase);
  foldedText_ = std::move(encoded.bytes);
}

bool NameSearch::matches(std::span<const db::Byte> nameField) const {
  if (!foldedText_) return false;
  const auto nameEnd = std::find(nameField.begin(), nameField.end(), db::Byte{0});
  const auto found =
      std::search(nameField.begin(), nameEnd, foldedText_->begin(), foldedText_->end(),
                  [](db::Byte name, db::Byte text) { return foldCase(name) == text; });
  return found != nameEnd || foldedText_->empty();
}

}  // namespace zelbor::exchange
