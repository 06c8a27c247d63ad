#pragma once

#include <array>

#include "control_rows.h"

namespace zelbor::forms {

// The lineup window's lists, in the order of the stored lineups.
inline constexpr std::array<const char*, 4> kLineupListNames = {"lstWC", "lstCT", "lstODI",
                                                                "lstTest"};

// frmLineup: one list per stored lineup, each under its caption. The caption is followed by the
// team's name.
FormSpec lineupForm();

}  // namespace zelbor::forms
