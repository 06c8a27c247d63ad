// Every text the four windows come to show, put into their real controls at 96, 144 and 192 dpi
// and measured in the font each control has against the room it gives: what fits at one dpi may be
// clipped at another, as pixel sizes of fonts and of twips round differently.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "db/filesystem_path.h"
#include "db/win32_program_folder.h"
#include "db/win32_text.h"
#include "support/shown_texts.h"
#include "win32/design_font.h"
#include "win32/dpi.h"
#include "win32/form_controls.h"

namespace zelbor::win32 {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

// Lists and drop-down lists draw an item's text one pixel inside its line.
constexpr int kItemInset = 1;
// A group box's title is drawn this far from its left edge at 96 dpi, and keeps as much room after.
constexpr int kFrameTitleInset = 9;

SIZE sizeOf(const RECT& rect) {
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Texts measured in a control's own font, in a memory DC.
class Measure {
 public:
  Measure() : dc_(CreateCompatibleDC(nullptr)) {}
  ~Measure() { DeleteDC(dc_); }
  Measure(const Measure&) = delete;
  Measure& operator=(const Measure&) = delete;

  SIZE line(HWND control, const std::wstring& text) {
    use(control);
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }
  // `text` broken into lines at word boundaries within `width`, as a static control breaks it.
  SIZE wrapped(HWND control, std::wstring text, int width) {
    use(control);
    RECT rect{0, 0, width, 0};
    DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return sizeOf(rect);
  }

 private:
  void use(HWND control) {
    SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  }
  HDC dc_;
};

class Checker {
 public:
  Checker(HWND window, const FormControls& controls, UINT dpi)
      : window_(window), controls_(controls), dpi_(dpi) {}

  void check(const testing::ShownTexts& shown) {
    shown_ = &shown;
    for (const ControlSpec& row : shown.form.controls) {
      if (row.kind == ControlKind::Frame) checkFrame(row, shown.form);
      const auto texts = shown.texts.find(row.name);
      if (texts == shown.texts.end()) continue;
      HWND control = controls_.control(row.name);
      if (row.kind == ControlKind::ListBox || row.kind == ControlKind::ComboBox) {
        checkItems(row, control, texts->second);
        continue;
      }
      for (const std::string& text : texts->second) checkText(row, control, text);
    }
  }

  std::vector<std::string> clipped;

 private:
  void expectFits(const ControlSpec& row, const std::string& text, SIZE needed, SIZE room) {
    if (needed.cx <= room.cx && needed.cy <= room.cy) return;
    clipped.push_back(row.name + ": \"" + text + "\" needs " + std::to_string(needed.cx) + "x" +
                      std::to_string(needed.cy) + " px, has " + std::to_string(room.cx) + "x" +
                      std::to_string(room.cy));
  }

  void checkText(const ControlSpec& row, HWND control, const std::string& text) {
    if (text.empty()) return;
    const std::wstring wide = db::wideFromUtf8(text);
    SetWindowTextW(control, wide.c_str());
    takeWidth(row, control, text);
    RECT client{};
    GetClientRect(control, &client);
    switch (row.kind) {
      case ControlKind::Label: {
        const SIZE room = sizeOf(client);
        const bool wraps = (row.look & forms::kWrapped) != 0;
        return expectFits(row, text,
                          wraps ? measure_.wrapped(control, wide, room.cx)
                                : measure_.line(control, wide),
                          room);
      }
      case ControlKind::TextBox: {
        // The formatting rectangle: inside the edge and the margins the box keeps.
        RECT format{};
        SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return expectFits(row, text, measure_.line(control, wide), sizeOf(format));
      }
      case ControlKind::OptionButton:
      case ControlKind::PushButton:
        return expectFits(row, text, idealSize(row, control), sizeOf(client));
      case ControlKind::Frame:
      case ControlKind::ComboBox:
      case ControlKind::ListBox:
      case ControlKind::Picture:
      case ControlKind::Outline:
      case ControlKind::Slider:
        return;
    }
  }

  // The items go into the list, so that a list long enough to scroll shows its scroll bar.
  void checkItems(const ControlSpec& row, HWND control, const std::set<std::string>& items) {
    const bool dropDown = row.kind == ControlKind::ComboBox;
    SendMessageW(control, dropDown ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      const std::wstring wide = db::wideFromUtf8(item);
      SendMessageW(control, dropDown ? CB_ADDSTRING : LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(wide.c_str()));
    }
    RECT field{};
    if (dropDown) {
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      GetComboBoxInfo(control, &info);
      field = info.rcItem;
    } else {
      GetClientRect(control, &field);
      field.bottom = field.top + static_cast<int>(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0));
    }
    const SIZE room{field.right - field.left - 2 * kItemInset, field.bottom - field.top};
    for (const std::string& item : items) {
      if (!item.empty()) expectFits(row, item, measure_.line(control, db::wideFromUtf8(item)), room);
    }
  }

  // The width the editor gives the control for the text, as the window sets it.
  void takeWidth(const ControlSpec& row, HWND control, const std::string& text) const {
    const auto widths = shown_->widths.find(row.name);
    if (widths == shown_->widths.end()) return;
    const auto width = widths->second.find(text);
    if (width == widths->second.end()) return;
    SetWindowPos(control, nullptr, 0, 0, pixelsFromTwips(width->second, dpi_),
                 pixelsFromTwips(row.rect.height, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  SIZE idealSize(const ControlSpec& row, HWND control) {
    SIZE ideal{};
    if (SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) == FALSE) {
      clipped.push_back(row.name + ": the button cannot tell the size its caption needs");
    }
    return ideal;
  }

  // The title fits the frame, and neither it nor the line through it runs through what the frame
  // holds.
  void checkFrame(const ControlSpec& row, const forms::FormSpec& form) {
    HWND frame = controls_.control(row.name);
    const RECT bounds = placeInWindow(frame);
    const int inset = MulDiv(kFrameTitleInset, static_cast<int>(dpi_), 96);
    const SIZE line = measure_.line(frame, db::wideFromUtf8(row.caption));
    expectFits(row, row.caption, {line.cx + 2 * inset, line.cy}, sizeOf(bounds));
    const RECT title{bounds.left, bounds.top, bounds.left + line.cx + 2 * inset,
                     bounds.top + line.cy};
    for (const ControlSpec& child : form.controls) {
      if (child.parent != row.name) continue;
      const RECT place = placeInWindow(controls_.control(child.name));
      RECT overlap{};
      if (IntersectRect(&overlap, &title, &place) || place.top <= bounds.top + line.cy / 2) {
        clipped.push_back(row.name + ": its title or top line runs through " + child.name);
      }
    }
  }

  RECT placeInWindow(HWND control) const {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
  }

  HWND window_;
  const FormControls& controls_;
  UINT dpi_;
  const testing::ShownTexts* shown_ = nullptr;
  Measure measure_;
};

std::wstring faceOf(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  DeleteDC(dc);
  return face;
}

// The texts fit only in the font the windows were laid out in (in the message font, "10.09756"
// needs 45 pixels where the batting average's box has 37 at 96 dpi): the programs carry it.
TEST(DesignFont, TheProgramsCarryTheirFontAndFallBackToTheMessageFontWithoutIt) {
  const std::filesystem::path folder = db::filesystemPath(db::programFolder());
  EXPECT_TRUE(loadPrivateFont(db::pathOf(folder / L"LiberationSansNarrow-Regular.ttf")));
  EXPECT_TRUE(std::filesystem::exists(folder / L"LiberationSansNarrow-Licence.txt"));
  EXPECT_FALSE(loadPrivateFont(db::pathOf(folder / L"NoSuchFont.ttf")));

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 96));
  HFONT fallback = createDesignFont(96, L"No Such Face");
  HFONT message = CreateFontIndirectW(&metrics.lfMessageFont);
  EXPECT_EQ(faceOf(fallback), faceOf(message));
  EXPECT_NE(faceOf(fallback), L"Liberation Sans Narrow");
  DeleteObject(message);
  LOGFONTW made{};
  GetObjectW(fallback, sizeof made, &made);
  EXPECT_EQ(made.lfHeight, -11) << "8 pt at 96 dpi";
  DeleteObject(fallback);
}

TEST(TextFit, EveryTextOfTheFourWindowsFitsItsControlAtEachDpi) {
  const std::vector<testing::ShownTexts> windows = testing::textsOfTheSampleDatabase();
  ASSERT_EQ(windows.size(), 4U);
  // The walk saw the lists filled: teams, players, list files' items, lineups and the hash.
  for (const auto& [window, control] : {std::pair{0, "cboTeams"}, {0, "lstPlayers"}, {0, "cboBat"},
                                        {0, "cboKit4"}, {0, "txtRealName"}, {1, "optCurrent"},
                                        {2, "txtHash"}, {3, "lstTest"}}) {
    EXPECT_TRUE(windows[window].texts.contains(control)) << control;
  }
  std::vector<std::pair<UINT, HFONT>> fonts;
  for (const UINT dpi : {96U, 144U, 192U}) {
    fonts.emplace_back(dpi, createDesignFont(dpi));
    ASSERT_EQ(faceOf(fonts.back().second), L"Liberation Sans Narrow") << dpi << " dpi";
  }
  for (const testing::ShownTexts& shown : windows) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 2000, 2000, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    FormControls controls(window, shown.form);
    for (const auto& [dpi, font] : fonts) {
      controls.place(dpi, font);
      Checker checker(window, controls, dpi);
      checker.check(shown);
      EXPECT_TRUE(checker.clipped.empty())
          << shown.form.name << " at " << dpi << " dpi: " << ::testing::PrintToString(checker.clipped);
    }
    DestroyWindow(window);
  }
  for (const auto& [dpi, font] : fonts) DeleteObject(font);
}

}  // namespace
}  // namespace zelbor::win32
