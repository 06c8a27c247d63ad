#pragma once

#include <array>
#include <string>
#include <vector>

#include "controls.h"
#include "file_types.h"

namespace zelbor::editor {

struct Colour {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

// The four stored lineups of a team as the lineups window lists them: World Cup (15 lines),
// Champions Trophy (14), One Day International (16), Test Match (16).
using LineupLines = std::array<std::vector<std::string>, 4>;

// What the editor needs of the main window. Setting a text or a selection from here never runs
// the control's own handlers: the editor runs whatever must follow itself.
class MainView {
 public:
  virtual ~MainView() = default;

  virtual void setCaption(const std::string& caption) = 0;

  virtual std::string text(TextBox box) const = 0;
  // Shows the whole text: a box's greatest length limits typing and pasting only.
  virtual void setText(TextBox box, const std::string& text) = 0;

  virtual void setItems(ListControl list, const std::vector<std::string>& items) = 0;
  // Changes the text of the list's item `index`; the selection stays.
  virtual void setItemText(ListControl list, int index, const std::string& text) = 0;
  // The selected position, -1 for none.
  virtual int selectedIndex(ListControl list) const = 0;
  // Selects position `index` (-1 or a position without an item: no selection).
  virtual void setSelectedIndex(ListControl list, int index) = 0;

  // Ability bar `row` (0..12): background colour and width in twips.
  virtual void setBar(int row, Colour colour, double widthTwips) = 0;
  // The picture file to show in img1; empty, missing or unreadable files show an empty picture.
  virtual void showPicture(const std::string& path) = 0;
  // Player controls are disabled while no player is loaded.
  virtual void setPlayerControlsEnabled(bool enabled) = 0;
  virtual void focus(Control control) = 0;
  // Marks the window as holding unsaved edits, or no longer.
  virtual void setModified(bool modified) = 0;

  // The modal secondary windows.
  virtual void showFileHash(const std::string& hash) = 0;
  virtual void showLineups(const std::string& teamName, const LineupLines& lines) = 0;
};

enum class Answer { Yes, No };
enum class SaveChoice { Save, Discard, Cancel };
enum class MessageIcon { None, Information, Warning };
enum class TeamChangedChoice { ReloadTeam, Merge, KeepEdits };

// Message boxes carrying the program's title.
class Prompts {
 public:
  virtual ~Prompts() = default;
  // Yes and No buttons, question icon, Yes the default.
  virtual Answer askYesNo(const std::string& text) = 0;
  // Yes and No buttons, warning icon, No the default: for a step that hides or loses something.
  virtual Answer askYesNoDefaultNo(const std::string& text) = 0;
  // Save, Discard and Cancel buttons, warning icon, Save the default; Escape cancels.
  virtual SaveChoice askSaveChanges(const std::string& text) = 0;
  // A single OK button.
  virtual void tell(const std::string& text, MessageIcon icon) = 0;
  // Another program changed the team on screen in the file: reload it, merge the edits into it,
  // or keep the edits on screen. Warning icon; keeping the edits is the default and what Escape
  // answers.
  virtual TeamChangedChoice askAboutChangedTeam(const std::string& text) = 0;
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // The chosen file's full path, or an empty string when the user cancelled. `initialFolder` is
  // empty when the dialog should open in its own default folder; `types` are offered in order.
  virtual std::string chooseDatabase(const std::string& initialFolder, const FileTypes& types) = 0;
};

class Browser {
 public:
  virtual ~Browser() = default;
  // False when no browser could be started for the address.
  [[nodiscard]] virtual bool open(const std::string& address) = 0;
};

}  // namespace zelbor::editor
