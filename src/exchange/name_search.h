#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "db/byte_order.h"

namespace zelbor::exchange {

// Finds a text in names, letters compared without regard to case. The comparison runs on the
// Windows-1252 bytes, so accented capitals match their small letters too ("É" finds "é").
class NameSearch {
 public:
  explicit NameSearch(std::string_view utf8Text);

  // Whether the name field, up to its first NUL, contains the text. A text holding a character
  // that no name can hold matches nothing.
  bool matches(std::span<const db::Byte> nameField) const;

 private:
  std::optional<std::vector<db::Byte>> foldedText_;
};

}  // namespace zelbor::exchange
