#include "editor_fakes.h"

#include <filesystem>

#include "db/filesystem_path.h"

namespace zelbor::testing {

std::string FakeView::text(editor::TextBox box) const {
  const auto it = texts.find(box);
  return it == texts.end() ? std::string() : it->second;
}

void FakeView::setText(editor::TextBox box, const std::string& text) {
  texts[box] = text;
}

void FakeView::setItems(editor::ListControl list, const std::vector<std::string>& newItems) {
  items[list] = newItems;
  selections[list] = -1;
}

void FakeView::setItemText(editor::ListControl list, int index, const std::string& text) {
  items.at(list).at(static_cast<std::size_t>(index)) = text;
}

const std::vector<std::string>& FakeView::listItems(editor::ListControl list) const {
  static const std::vector<std::string> none;
  const auto it = items.find(list);
  return it == items.end() ? none : it->second;
}

bool FakeView::showsPicture() const {
  return !picture.empty() && std::filesystem::is_regular_file(db::filesystemPath(picture));
}

int FakeView::selectedIndex(editor::ListControl list) const {
  const auto it = selections.find(list);
  return it == selections.end() ? -1 : it->second;
}

void FakeView::setSelectedIndex(editor::ListControl list, int index) {
  const bool hasItem = index >= 0 && index < static_cast<int>(listItems(list).size());
  selections[list] = hasItem ? index : -1;
}

void FakeView::setBar(int row, editor::Colour colour, double widthTwips) {
  bars[row] = {colour, widthTwips};
  ++barUpdates;
}

namespace {

template <class T>
T takeAnswer(std::deque<T>& answers, T whenEmpty) {
  if (answers.empty()) return whenEmpty;
  const T answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace

editor::Answer FakePrompts::askYesNo(const std::string& text) {
  questions.push_back(text);
  return takeAnswer(answers, editor::Answer::Yes);
}

editor::Answer FakePrompts::askYesNoDefaultNo(const std::string& text) {
  questions.push_back(text);
  return takeAnswer(answers, editor::Answer::No);
}

editor::SaveChoice FakePrompts::askSaveChanges(const std::string& text) {
  questions.push_back(text);
  return takeAnswer(saveChoices, editor::SaveChoice::Discard);
}

editor::TeamChangedChoice FakePrompts::askAboutChangedTeam(const std::string& text) {
  teamChangedQuestions.push_back(text);
  return takeAnswer(teamChangedChoices, editor::TeamChangedChoice::KeepEdits);
}

void FakePrompts::tell(const std::string& text, editor::MessageIcon icon) {
  messages.emplace_back(text, icon);
}

std::string FakeFileDialog::chooseDatabase(const std::string& folder,
                                           const editor::FileTypes& offered) {
  ++shown;
  initialFolder = folder;
  types = offered;
  return answer;
}

}  // namespace zelbor::testing
