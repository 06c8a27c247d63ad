#include "lineup_form.h"

#include <utility>

namespace zelbor::forms {

// The lists first: they take the tab order's first places.
FormSpec lineupForm() {
  using enum ControlKind;
  constexpr std::array<const char*, 4> kCaptions = {"World Cup", "Champions Trophy",
                                                    "One Day International", "Test Match"};
  constexpr std::array<int, 4> kLefts = {120, 2400, 4680, 6960};
  std::vector<ControlSpec> layout;
  for (int i = 0; i < 4; ++i) {
    layout.push_back({kLineupListNames[i], "", ListBox, "", {kLefts[i], 480, 2175, 3180}});
  }
  for (int i = 0; i < 4; ++i) {
    layout.push_back(
        {arrayElement("Label1", i), "", Label, kCaptions[i], {kLefts[i], 240, 2175, 255}});
  }
  return {"frmLineup", "Team Lineups - ", 9255, 3870, std::move(layout)};
}

}  // namespace zelbor::forms
