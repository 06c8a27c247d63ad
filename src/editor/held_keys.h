#pragma once

#include <set>

namespace zelbor::editor {

// The rule every modal window keeps, in both front ends: a key that went down before the window
// opened keeps repeating into it, and those repeats neither move its focus nor press its buttons.
// A key pressed while the window is open works as usual, its own repeats included.
class HeldKeys {
 public:
  // Whether a key press reaches the window; `repeat` when the key was already down.
  bool passes(int key, bool repeat) {
    if (!repeat) {
      pressedHere_.insert(key);
      return true;
    }
    return pressedHere_.contains(key);
  }

 private:
  std::set<int> pressedHere_;
};

}  // namespace zelbor::editor
