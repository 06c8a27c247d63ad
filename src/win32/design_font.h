#pragma once

#include <windows.h>

#include "db/path.h"

namespace zelbor::win32 {

// The font of all windows at `dpi`: 8 pt Liberation Sans Narrow, installed or carried beside the
// program, else the system's message font at that size. The caller deletes it.
HFONT createDesignFont(UINT dpi);

// The same, in `face` where it can be had, else in the system's message font.
HFONT createDesignFont(UINT dpi, const wchar_t* face);

// Makes the font file `file` usable by this process alone; false when it cannot be loaded.
bool loadPrivateFont(const db::Path& file);

// A LOGFONT height for a font of `points` at `dpi`.
LONG fontHeight(double points, UINT dpi);

}  // namespace zelbor::win32
