#include "value_lists.h"

#include "db/value_tables.h"
#include "editor/face_picture.h"
#include "editor/list_files.h"

namespace zelbor::cli {
namespace {

// The record fields whose values are line numbers of editor::kListFileNames, in the same order.
constexpr std::string_view kListFileFields[] = {"realBat", "kit1", "kit2",
                                                "kit3",    "kit4", "armGuard"};
static_assert(std::size(kListFileFields) == std::size(editor::kListFileNames));

template <std::size_t N>
ValueList fixedList(const std::array<std::string_view, N>& texts) {
  return {"fixed list", std::vector<std::string>(texts.begin(), texts.end())};
}

}  // namespace

std::optional<std::string> ValueList::itemText(int value) const {
  if (value < 0 || static_cast<std::size_t>(value) >= items.size()) return std::nullopt;
  return items[static_cast<std::size_t>(value)];
}

ValueLists::ValueLists()
    : lists_{{"bowlStyle", fixedList(db::kBowlStyles)},
             {"bowlAction", fixedList(db::kBowlActions)},
             {"realFace", ValueList{"fixed list", editor::faceListItems()}},
             {"helmet", fixedList(db::kHelmets)},
             {"hat", fixedList(db::kHats)},
             {"sunscreen", fixedList(db::kSunscreens)},
             {"glasses", fixedList(db::kGlasses)},
             {"defaultCaptain", fixedList(db::kNoYes)},
             {"role", fixedList(db::kRoles)},
             {"battingHand", fixedList(db::kHands)},
             {"everBowls", fixedList(db::kNoYes)},
             {"bowlingHand", fixedList(db::kHands)}} {}

db::Result<ValueLists> ValueLists::load(db::FileSystem& fileSystem, const std::string& folder) {
  auto entries = editor::readListFiles(fileSystem, folder);
  if (!entries) return entries.error();
  ValueLists lists;
  for (std::size_t i = 0; i < std::size(editor::kListFileNames); ++i) {
    lists.lists_.emplace(kListFileFields[i], ValueList{std::string(editor::kListFileNames[i]),
                                                       std::move(entries.value()[i])});
  }
  return lists;
}

const ValueList* ValueLists::find(std::string_view field) const {
  const auto found = lists_.find(field);
  return found == lists_.end() ? nullptr : &found->second;
}

std::string describeValue(const ValueList& list, int value) {
  return std::to_string(value) + " (" + list.itemText(value).value_or("no list item") + ")";
}

}  // namespace zelbor::cli
