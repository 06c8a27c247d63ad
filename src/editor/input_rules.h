#pragma once

#include <string_view>

#include "controls.h"

namespace zelbor::editor {

// The character classes a box admits when the user types, pastes or drops text into it.
enum class KeyFilter { None, Digits, Date, Average };

KeyFilter keyFilter(TextBox box);

// The box's greatest length in characters for typing and pasting; 0 when it has none. Text set by
// the editor is always shown whole, however long.
int greatestLength(TextBox box);

// The code a typed character has for the key filters: its Windows-1252 byte, or the code of "?"
// for a character that has none (as the single-byte code page would give it).
int keyCode(char32_t character);

// Whether a typed character with `code` is inserted into `box`, whose text is `currentText`.
// Control codes (32 and below: Backspace, Enter, Ctrl+letters, the space) always pass.
bool keyAccepted(TextBox box, int code, std::string_view currentText);

// Whether UTF-8 text pasted or dropped into `box`, whose text is `currentText`, is taken: only
// when each of its characters would be accepted typed in turn. Otherwise nothing is inserted, so
// "-50" pasted into a number box never becomes 50.
bool insertionAccepted(TextBox box, std::string_view inserted, std::string_view currentText);

// Whether the user may change the box. The averages are shown but never stored.
bool editable(TextBox box);

}  // namespace zelbor::editor
