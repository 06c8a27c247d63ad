#pragma once

#include <cstddef>
#include <string>
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

// What text the user types, pastes or drops into a box does.
struct Insertion {
  // What goes in: blanks around a number are trimmed, unless nothing else is inserted.
  std::string text;
  // Why nothing goes in, for the user; empty when the text is taken.
  std::string refusal;
};

// UTF-8 text inserted into `box`, whose text is `currentText`, in place of part of it; `keptLength`
// characters of the text stay around it. The text is taken whole or refused whole: when typing any
// of its characters in turn would be refused (so "-50" pasted into a number box never becomes
// 50), when it holds a control character such as a tab or a line break (blanks around a number
// are trimmed first), when it holds a character the database cannot store, or when the box would
// grow beyond its greatest length (or beyond the longer text the editor set). Deleting is always
// taken.
Insertion checkInsertion(TextBox box, std::string_view inserted, std::string_view currentText,
                         std::size_t keptLength);

// Whether the user may change the box. The averages are shown but never stored.
bool editable(TextBox box);

}  // namespace zelbor::editor
