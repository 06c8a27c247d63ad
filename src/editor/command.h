#pragma once

namespace zelbor::editor {

// What the main window's menus do; the front end maps each menu item to one of these.
enum class Command {
  Save,
  EditAbilities,
  FixSpoof,
  Lineup,
  FileHash,
  Restore,
  Open,
  Export,
  Import,
  Compare,
  Quit,
  FindPlayer,
  About,
};

}  // namespace zelbor::editor
