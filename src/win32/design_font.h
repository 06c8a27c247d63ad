#pragma once

#include <windows.h>

#include "forms/control_rows.h"

namespace zelbor::win32 {

// The font of the controls with `look` at `dpi`: Liberation Sans Narrow where it is installed, else
// the system's message font, at the look's size, bold or underlined as it says. Without a look it
// is the font of all windows. The caller deletes it.
HFONT createDesignFont(UINT dpi, unsigned look = forms::kPlainLook);

}  // namespace zelbor::win32
