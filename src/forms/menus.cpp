#include "menus.h"

namespace zelbor::forms {

std::vector<MenuSpec> mainMenus() {
  using enum editor::Command;
  return {
      {"mnuFile",
       "&File",
       {
           {"mnuSave", "&Save Current", Save, Shortcut{'S'}},
           // Not one of the designed items: behind a separator after them.
           {},
           {"mnuRestore", "&Restore from Backup\u2026", Restore, std::nullopt},
       }},
      {"mnuBatch",
       "&Batch Editing",
       {
           {"mnuEditAbilities", "Batch &Edit Player Abilities", EditAbilities, std::nullopt},
           {"mnuFixSpoof", "&Fix Spoof Names and Faces", FixSpoof, std::nullopt},
       }},
      // The misspelt name is kept from the design.
      {"mnuUtilties",
       "&Utilities",
       {
           {"mnuLineup", "&Lineups", Lineup, std::nullopt},
           {"mnuFileHash", "Get File &Hash", FileHash, std::nullopt},
       }},
  };
}

}  // namespace zelbor::forms
