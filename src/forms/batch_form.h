#pragma once

#include <string>
#include <string_view>

#include "control_rows.h"

namespace zelbor::forms {

// frmBatch: rows in tab order: batting sliders "sldBat(i)", the options "optAll" and
// "optCurrent", bowling sliders "sldBowl(i)", "cmdProcess"; "lblBat(i)" and "lblBowl(i)" show
// each slider's percentage.
FormSpec batchForm();

// The caption of "optCurrent" for the team the window was opened on.
std::string currentTeamCaption(std::string_view teamName);

}  // namespace zelbor::forms
