#pragma once

#include "control_rows.h"

namespace zelbor::forms {

// The main window; its client size is the area below the menu bar.
FormSpec mainWindowForm();

}  // namespace zelbor::forms
