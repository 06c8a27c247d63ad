// Every text the four windows show, measured in the design font at 96, 144 and 192 dpi against the
// room its Win32 control gives it: what fits at one dpi may be clipped at another, as pixel sizes
// of fonts and of twips round differently.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "db/win32_text.h"
#include "support/shown_texts.h"
#include "win32/design_font.h"
#include "win32/dpi.h"

namespace zelbor::win32 {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

// What the common controls keep around a text, in pixels at 96 dpi, scaled with the dpi like the
// rest of the window. A group box's title starts this far in and keeps as much room on its right.
constexpr int kFrameTitleInset = 9;
// An option button's round indicator and the gap before its caption.
constexpr int kOptionIndicator = 13;
constexpr int kOptionGap = 4;
// A drop-down list draws the selected item one pixel inside its field, which is inset by one pixel
// more than the sunken edge; list boxes draw each item one pixel inside.
constexpr int kItemInset = 1;
constexpr int kFieldPadding = 1;
// A push button's text keeps clear of the raised edge and of the focus rectangle inside it.
constexpr int kButtonFocusMargin = 2;

std::string trimmedEnd(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The design fonts of one dpi and the measures of texts in them, in a memory DC.
class Measure {
 public:
  explicit Measure(UINT dpi) : dpi_(dpi), dc_(CreateCompatibleDC(nullptr)) {}
  ~Measure() {
    for (const auto& [look, font] : fonts_) DeleteObject(font);
    DeleteDC(dc_);
  }
  Measure(const Measure&) = delete;
  Measure& operator=(const Measure&) = delete;

  int pixels(double twips) const { return pixelsFromTwips(twips, dpi_); }
  int scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, static_cast<int>(dpi_), 96); }
  int metric(int index) const { return GetSystemMetricsForDpi(index, dpi_); }

  SIZE line(unsigned look, const std::string& text) {
    use(look);
    const std::wstring wide = db::wideFromUtf8(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
  }
  // The size of `text` broken into lines at word boundaries within `width`.
  SIZE wrapped(unsigned look, const std::string& text, int width) {
    use(look);
    std::wstring wide = db::wideFromUtf8(text);
    RECT rect{0, 0, width, 0};
    DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return {rect.right, rect.bottom};
  }
  int lineHeight(unsigned look) {
    use(look);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
  }

 private:
  void use(unsigned look) {
    // Only the looks that change the font have one of their own.
    look &= forms::kBold | forms::kLargeText | forms::kWrapped | forms::kLink;
    auto found = fonts_.find(look);
    if (found == fonts_.end()) found = fonts_.emplace(look, createDesignFont(dpi_, look)).first;
    SelectObject(dc_, found->second);
  }

  UINT dpi_;
  HDC dc_;
  std::map<unsigned, HFONT> fonts_;
};

class Checker {
 public:
  explicit Checker(Measure& measure) : measure_(measure) {}

  void check(const testing::ShownTexts& shown) {
    for (const ControlSpec& row : shown.form.controls) {
      const auto texts = shown.texts.find(row.name);
      if (row.kind == ControlKind::Frame) checkFrame(row, shown.form);
      if (texts == shown.texts.end()) continue;
      for (const std::string& text : texts->second) checkText(row, text);
    }
  }

  std::vector<std::string> clipped;

 private:
  SIZE room(const ControlSpec& row) const {
    return {measure_.pixels(row.rect.width), measure_.pixels(row.rect.height)};
  }

  void expectFits(const ControlSpec& row, const std::string& text, SIZE needed, SIZE room) {
    if (needed.cx <= room.cx && needed.cy <= room.cy) return;
    clipped.push_back(row.name + ": \"" + text + "\" needs " + std::to_string(needed.cx) + "x" +
                      std::to_string(needed.cy) + " px, has " + std::to_string(room.cx) + "x" +
                      std::to_string(room.cy));
  }

  void checkText(const ControlSpec& row, const std::string& shownText) {
    // Blanks after a stored name show nothing: only what is visible must fit.
    const std::string text = trimmedEnd(shownText);
    if (text.empty()) return;
    SIZE space = room(row);
    const int edge = measure_.metric(SM_CXEDGE);
    const SIZE line = measure_.line(row.look, text);
    switch (row.kind) {
      case ControlKind::Label: {
        if ((row.look & forms::kBordered) != 0) {
          space.cx -= 2 * measure_.metric(SM_CXBORDER);
          space.cy -= 2 * measure_.metric(SM_CYBORDER);
        }
        const bool wraps = (row.look & forms::kWrapped) != 0;
        return expectFits(row, text, wraps ? measure_.wrapped(row.look, text, space.cx) : line,
                          space);
      }
      case ControlKind::TextBox: {
        // The sunken edge, and the margins an edit control keeps beside its text.
        const int margins = 2 * measure_.scaled(kFieldPadding + kItemInset);
        return expectFits(row, text, line,
                          {space.cx - 2 * edge - margins, space.cy - 2 * measure_.metric(SM_CYEDGE)});
      }
      case ControlKind::ComboBox: {
        // The field's height follows the font, whatever the designed height: only the width.
        const int field = space.cx - 2 * edge - measure_.metric(SM_CXVSCROLL) -
                          2 * measure_.scaled(kFieldPadding + kItemInset);
        return expectFits(row, text, {line.cx, 0}, {field, 0});
      }
      case ControlKind::ListBox: {
        // A long list shows its scroll bar beside the items all the time it is scrolled.
        const int width = space.cx - 2 * edge - measure_.metric(SM_CXVSCROLL) -
                          2 * measure_.scaled(kItemInset);
        return expectFits(row, text, line, {width, space.cy - 2 * measure_.metric(SM_CYEDGE)});
      }
      case ControlKind::OptionButton: {
        const int indicator = measure_.scaled(kOptionIndicator + kOptionGap);
        return expectFits(row, text, {indicator + line.cx, line.cy}, space);
      }
      case ControlKind::PushButton: {
        const int margin = 2 * (edge + measure_.scaled(kButtonFocusMargin));
        return expectFits(row, text, {line.cx + margin, line.cy}, space);
      }
      case ControlKind::Frame:
      case ControlKind::Picture:
      case ControlKind::Outline:
      case ControlKind::Slider:
        return;
    }
  }

  // The title fits the frame's top edge, and neither it nor the line through it runs through
  // what the frame holds.
  void checkFrame(const ControlSpec& frame, const forms::FormSpec& form) {
    const int inset = measure_.scaled(kFrameTitleInset);
    const SIZE line = measure_.line(frame.look, frame.caption);
    const SIZE space = room(frame);
    expectFits(frame, frame.caption, {line.cx + 2 * inset, line.cy}, space);
    const RECT title{inset, 0, inset + line.cx, line.cy};
    for (const ControlSpec& child : form.controls) {
      if (child.parent != frame.name) continue;
      const RECT place{measure_.pixels(child.rect.left), measure_.pixels(child.rect.top),
                       measure_.pixels(child.rect.left + child.rect.width),
                       measure_.pixels(child.rect.top + child.rect.height)};
      RECT overlap{};
      if (IntersectRect(&overlap, &title, &place) || place.top <= line.cy / 2) {
        clipped.push_back(frame.name + ": its title or top line runs through " + child.name);
      }
    }
  }

  Measure& measure_;
};

TEST(TextFit, EveryTextOfTheFourWindowsFitsItsControlAtEachDpi) {
  const std::vector<testing::ShownTexts> windows = testing::textsOfTheSampleDatabase();
  ASSERT_EQ(windows.size(), 4U);
  // The walk saw the lists filled: teams, players, list files' items, lineups and the hash.
  for (const auto& [window, control] : {std::pair{0, "cboTeams"}, {0, "lstPlayers"}, {0, "cboBat"},
                                        {0, "cboKit4"}, {0, "txtRealName"}, {1, "optCurrent"},
                                        {2, "txtHash"}, {3, "lstTest"}}) {
    EXPECT_TRUE(windows[window].texts.contains(control)) << control;
  }
  for (const UINT dpi : {96U, 144U, 192U}) {
    Measure measure(dpi);
    for (const testing::ShownTexts& window : windows) {
      Checker checker(measure);
      checker.check(window);
      EXPECT_TRUE(checker.clipped.empty())
          << window.form.name << " at " << dpi << " dpi: " << ::testing::PrintToString(checker.clipped);
    }
  }
}

}  // namespace
}  // namespace zelbor::win32
