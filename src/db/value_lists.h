#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_access.h"

namespace zelbor::db {

// The lists whose 0-based positions the enumerated fields store: the fixed tables, the faces and
// the list files beside the program.
enum class ValueListId : std::uint8_t {
  BowlStyle,
  BowlAction,
  Face,
  Helmet,
  Hat,
  Sunscreen,
  Glasses,
  NoYes,
  Role,
  Hand,
  Bat,
  Kit1,
  Kit2,
  Kit3,
  Kit4,
  ArmGuard,
};
inline constexpr std::size_t kValueListCount = static_cast<std::size_t>(ValueListId::ArmGuard) + 1;

struct ValueList {
  std::string source;  // the list file's name, or "fixed list"
  std::vector<std::string> items;

  // The item text of a stored value; none when the list has no such item.
  std::optional<std::string> itemText(int value) const;
  // The positions of the items whose text is exactly `text`; repeated texts are distinct items.
  std::vector<int> positionsOf(std::string_view text) const;
};

// The face list's items: "Face 0" to "Face 478"; item n is face n.
std::vector<std::string> faceListItems();

class ValueLists {
 public:
  // The fixed lists and the list files read from `folder`.
  static Result<ValueLists> load(FileSystem& fileSystem, const Path& folder);

  const ValueList& operator[](ValueListId id) const { return lists_[static_cast<std::size_t>(id)]; }

 private:
  ValueLists();

  std::array<ValueList, kValueListCount> lists_;
};

// "7 (Batsman)"; "7 (no list item)" for a value its list does not have.
std::string describeValue(const ValueList& list, int value);

}  // namespace zelbor::db
