#pragma once

#include <vector>

#include "form_layout.h"

namespace zelbor::ui {

// The main window's client area below its menu bar, in twips.
inline constexpr int kMainClientWidth = 9495;
inline constexpr int kMainClientHeight = 10650;

// Every control of the main window, frames before what they hold, in tab order.
std::vector<ControlSpec> mainWindowLayout();

}  // namespace zelbor::ui
