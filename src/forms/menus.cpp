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
           {"mnuOpen", "&Open Database\u2026", Open, Shortcut{'O'}},
           {"mnuExport", "&Export Players\u2026", Export, Shortcut{'E'}},
           {"mnuImport", "&Import Players\u2026", Import, Shortcut{'I'}},
           {"mnuCompare", "&Compare with Database\u2026", Compare, std::nullopt},
           {},
           {"mnuQuit", "&Quit", Quit, Shortcut{'Q'}},
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
      // Added menus follow the designed ones.
      {"mnuSearch",
       "&Search",
       {{"mnuFindPlayer", "&Find Player\u2026", FindPlayer, Shortcut{'F'}}}},
      {"mnuHelp", "&Help", {{"mnuAbout", "&About", About, std::nullopt}}},
  };
}

}  // namespace zelbor::forms
