#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/file_access.h"

namespace zelbor::cli {

// The items an enumerated field's stored value indexes, from 0.
struct ValueList {
  std::string source;  // the list file's name, or "fixed list"
  std::vector<std::string> items;

  // The item text of a stored value; none when the list has no such item.
  std::optional<std::string> itemText(int value) const;
};

// The lists of the enumerated fields the main window shows: the fixed tables, the faces, and the
// list files for the bat, the kits and the arm guard. The spoof fields are plain numbers.
class ValueLists {
 public:
  // Reads the list files from `folder`.
  static db::Result<ValueLists> load(db::FileSystem& fileSystem, const std::string& folder);

  // The field's list, or nullptr for a field that is not enumerated.
  const ValueList* find(std::string_view field) const;

 private:
  ValueLists();

  std::map<std::string, ValueList, std::less<>> lists_;
};

// "7 (Batsman)"; "7 (no list item)" for a value its list does not have.
std::string describeValue(const ValueList& list, int value);

}  // namespace zelbor::cli
