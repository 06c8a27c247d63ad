#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/main_view.h"

namespace zelbor::testing {

// A main window made of plain values. Like the real window it runs no handler when the editor
// sets a text or a selection; tests call the editor's handlers to play the user.
class FakeView final : public editor::MainView {
 public:
  void setCaption(const std::string& caption) override { this->caption = caption; }
  std::string text(editor::TextBox box) const override;
  void setText(editor::TextBox box, const std::string& text) override;
  void setItems(editor::ListControl list, const std::vector<std::string>& items) override;
  void setItemText(editor::ListControl list, int index, const std::string& text) override;
  int selectedIndex(editor::ListControl list) const override;
  void setSelectedIndex(editor::ListControl list, int index) override;
  void setBar(int row, editor::Colour colour, double widthTwips) override;
  void showPicture(const std::string& path) override { picture = path; }
  void setPlayerControlsEnabled(bool enabled) override { playerControlsEnabled = enabled; }
  void focus(editor::Control control) override { focused = control; }
  void setModified(bool isModified) override { modified = isModified; }
  void showFileHash(const std::string& hash) override { shownHashes.push_back(hash); }
  void showLineups(const std::string& teamName, const editor::LineupLines& lines) override {
    shownLineupTeams.push_back(teamName);
    shownLineups.push_back(lines);
  }

  // The user types a whole new text into a box (the handlers are the test's to call).
  void type(editor::TextBox box, const std::string& text) { texts[box] = text; }
  const std::vector<std::string>& listItems(editor::ListControl list) const;
  // Whether img1 shows a picture: as in the window, only a file that exists is shown.
  bool showsPicture() const;

  std::string caption;
  std::map<editor::TextBox, std::string> texts;
  std::map<editor::ListControl, std::vector<std::string>> items;
  std::map<editor::ListControl, int> selections;
  std::map<int, std::pair<editor::Colour, double>> bars;
  std::string picture;
  bool playerControlsEnabled = true;
  std::optional<editor::Control> focused;
  bool modified = false;
  std::vector<std::string> shownHashes;
  std::vector<editor::LineupLines> shownLineups;
  std::vector<std::string> shownLineupTeams;
  int barUpdates = 0;
};

// Answers questions from queues and keeps every question and message. An empty queue gives the
// default button's answer: Yes, No for a warning, Discard for unsaved edits (what the editor did
// before it asked).
class FakePrompts final : public editor::Prompts {
 public:
  editor::Answer askYesNo(const std::string& text) override;
  editor::Answer askYesNoDefaultNo(const std::string& text) override;
  editor::SaveChoice askSaveChanges(const std::string& text) override;
  void tell(const std::string& text, editor::MessageIcon icon) override;
  editor::TeamChangedChoice askAboutChangedTeam(const std::string& text) override;

  std::deque<editor::Answer> answers;
  std::deque<editor::SaveChoice> saveChoices;
  // Answers of askAboutChangedTeam (KeepEdits when it is empty) and the texts it was asked.
  std::deque<editor::TeamChangedChoice> teamChangedChoices;
  std::vector<std::string> teamChangedQuestions;
  std::vector<std::string> questions;
  std::vector<std::pair<std::string, editor::MessageIcon>> messages;
};

class FakeFileDialog final : public editor::FileDialog {
 public:
  std::string chooseDatabase(const std::string& initialFolder,
                             const editor::FileTypes& types) override;

  std::string answer;  // empty: the user cancels
  int shown = 0;
  std::string initialFolder;
  editor::FileTypes types;
};

class FakeBrowser final : public editor::Browser {
 public:
  bool open(const std::string& address) override {
    addresses.push_back(address);
    return opens;
  }
  std::vector<std::string> addresses;
  bool opens = true;  // false: as if no browser could be started
};

}  // namespace zelbor::testing
