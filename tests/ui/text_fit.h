#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace zelbor::testing {

// Every text shown by `window` or its controls that is wider or taller than the room its control
// gives it: captions, frame titles, buttons, the text of boxes, every item of each drop-down list
// and of each list. One line per clipped text, naming the control, the text and the two widths.
std::vector<std::string> clippedTexts(const QWidget* window);

}  // namespace zelbor::testing
