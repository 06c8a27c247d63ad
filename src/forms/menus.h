#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/command.h"

namespace zelbor::forms {

// A key that runs a menu item from anywhere in the window: Ctrl plus `key`.
struct Shortcut {
  char key = 0;  // an upper-case letter
};

// One entry of a menu: an item, or a separator when `name` is empty.
struct MenuItemSpec {
  std::string name;     // the design name: "mnuSave"
  std::string caption;  // with its Alt-key mnemonic: "&Save Current"
  editor::Command command{};
  std::optional<Shortcut> shortcut;
};

struct MenuSpec {
  std::string name;  // "mnuFile"
  std::string caption;
  std::vector<MenuItemSpec> items;
};

// The main window's menu bar, left to right, the designed items before any added ones.
std::vector<MenuSpec> mainMenus();

}  // namespace zelbor::forms
