#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zelbor::forms {

enum class ControlKind {
  Frame,
  Label,
  TextBox,
  ComboBox,  // always a drop-down list: the user picks, never types
  ListBox,
  Picture,  // shows an image stretched to its size
  Outline,  // a rectangle border
  Slider,   // vertical
  OptionButton,
  PushButton,
};

// How a control looks beyond its kind; combined with |.
enum ControlLook : unsigned {
  kPlainLook = 0,
  kCentred = 1U << 0,
  kBold = 1U << 1,
  kWrapped = 1U << 2,    // a caption that wraps inside a taller label, a step smaller
  kBordered = 1U << 3,   // a single-line border around a label
  kLargeText = 1U << 4,  // the 20.25 pt of the file hash window
  kLink = 1U << 5,       // blue and underlined, with a pointing-hand cursor
};

// The windows' font sizes in points: a little below the designed 8.25 pt, as the designed sizes
// were measured for a bitmap font and this is what fits every caption, list item and number into
// them. Two lines of it need one pixel more than the two-line captions' labels hold, so those are
// a step smaller; kLargeText has its own size.
inline constexpr double kDesignPointSize = 8;
inline constexpr double kTwoLinePointSize = 7.5;
inline constexpr double kLargePointSize = 20.25;

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// One row of a window's layout table, as designed: twips relative to the parent.
struct ControlSpec {
  std::string name;    // the design name, used as objectName: "cboTeams", "txtBat(0)"
  std::string parent;  // the frame holding the control; empty for the window itself
  ControlKind kind;
  std::string caption;
  TwipsRect rect;
  unsigned look = kPlainLook;
};

// A designed window: its name, caption, client size in twips and its controls, frames before
// what they hold, in tab order; later rows are drawn over earlier ones.
struct FormSpec {
  std::string name;  // "frmBatch"
  std::string caption;
  int clientWidth = 0;
  int clientHeight = 0;
  std::vector<ControlSpec> controls;
};

// Adds the rows of a table part to `layout`.
inline void appendRows(std::vector<ControlSpec>& layout, std::initializer_list<ControlSpec> rows) {
  layout.insert(layout.end(), rows);
}

// The design name of element `index` of a control array: "Label4(26)".
std::string arrayElement(std::string_view array, int index);

}  // namespace zelbor::forms
