#pragma once

namespace zelbor::ui {

// From the first call on, for the application's life: a key that went down before a modal window
// opened and keeps repeating into it neither moves the window's focus nor presses its buttons.
// A key pressed while the window is open works as usual, its own repeats included.
void dropKeysHeldIntoModalWindows();

}  // namespace zelbor::ui
