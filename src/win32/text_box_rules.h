#pragma once

#include <windows.h>

#include <string>

#include "editor/controls.h"

namespace zelbor::win32 {

// Gives the edit control `edit` the typing rules of the main window's text box `box`: its key
// filter for typed characters, and the same rules for pasted text, which is taken whole or refused
// whole, with a tooltip saying why. Boxes the user may not change are read-only. The rules stay
// with the control until it is destroyed.
void applyTextBoxRules(HWND edit, editor::TextBox box);

// Sets the text of `edit` as the editor gives it, whole however long, showing its beginning.
void setTextFromEditor(HWND edit, const std::string& text);

// The text of `edit` in UTF-8.
std::string editText(HWND edit);

}  // namespace zelbor::win32
