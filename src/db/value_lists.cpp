#include "value_lists.h"

#include "list_files.h"
#include "value_tables.h"

namespace zelbor::db {
namespace {

// The lists read from files, in the order of kListFileNames.
constexpr ValueListId kListFileLists[] = {ValueListId::Bat,  ValueListId::Kit1,
                                          ValueListId::Kit2, ValueListId::Kit3,
                                          ValueListId::Kit4, ValueListId::ArmGuard};
static_assert(std::size(kListFileLists) == std::size(kListFileNames));

template <std::size_t N>
ValueList fixedList(const std::array<std::string_view, N>& texts) {
  return {"fixed list", std::vector<std::string>(texts.begin(), texts.end())};
}

}  // namespace

std::optional<std::string> ValueList::itemText(int value) const {
  if (value < 0 || static_cast<std::size_t>(value) >= items.size()) return std::nullopt;
  return items[static_cast<std::size_t>(value)];
}

std::vector<int> ValueList::positionsOf(std::string_view text) const {
  std::vector<int> positions;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) positions.push_back(static_cast<int>(i));
  }
  return positions;
}

std::vector<std::string> faceListItems() {
  std::vector<std::string> items;
  items.reserve(kFaceCount);
  for (int face = 0; face < kFaceCount; ++face) items.push_back("Face " + std::to_string(face));
  return items;
}

ValueLists::ValueLists() {
  const auto set = [this](ValueListId id, ValueList list) {
    lists_[static_cast<std::size_t>(id)] = std::move(list);
  };
  set(ValueListId::BowlStyle, fixedList(kBowlStyles));
  set(ValueListId::BowlAction, fixedList(kBowlActions));
  set(ValueListId::Face, {"fixed list", faceListItems()});
  set(ValueListId::Helmet, fixedList(kHelmets));
  set(ValueListId::Hat, fixedList(kHats));
  set(ValueListId::Sunscreen, fixedList(kSunscreens));
  set(ValueListId::Glasses, fixedList(kGlasses));
  set(ValueListId::NoYes, fixedList(kNoYes));
  set(ValueListId::Role, fixedList(kRoles));
  set(ValueListId::Hand, fixedList(kHands));
}

Result<ValueLists> ValueLists::load(FileSystem& fileSystem, const Path& folder) {
  auto entries = readListFiles(fileSystem, folder);
  if (!entries) return entries.error();
  ValueLists lists;
  for (std::size_t i = 0; i < std::size(kListFileLists); ++i) {
    lists.lists_[static_cast<std::size_t>(kListFileLists[i])] =
        ValueList{std::string(kListFileNames[i]), std::move(entries.value()[i])};
  }
  return lists;
}

std::string describeValue(const ValueList& list, int value) {
  return std::to_string(value) + " (" + list.itemText(value).value_or("no list item") + ")";
}

}  // namespace zelbor::db
