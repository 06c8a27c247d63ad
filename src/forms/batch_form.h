#pragma once

#include "control_rows.h"

namespace zelbor::forms {

// frmBatch: rows in tab order: batting sliders "sldBat(i)", the options "optAll" and
// "optCurrent", bowling sliders "sldBowl(i)", "cmdProcess"; "lblBat(i)" and "lblBowl(i)" show
// each slider's percentage.
FormSpec batchForm();

}  // namespace zelbor::forms
