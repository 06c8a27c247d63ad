#include "win32/form_controls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "db/win32_text.h"
#include "forms/batch_form.h"
#include "forms/file_hash_form.h"
#include "forms/lineup_form.h"
#include "forms/main_window_form.h"
#include "win32/design_font.h"
#include "win32/dpi.h"
#include "win32/window_class.h"

namespace zelbor::win32 {
namespace {

using forms::ControlKind;
using forms::FormSpec;

std::vector<WPARAM> commands;

LRESULT CALLBACK recordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) commands.push_back(wParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

class FormControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    registerWindowClass(L"FormControlsTestWindow", recordCommands, GetSysColorBrush(COLOR_BTNFACE));
    window_ =
        CreateWindowExW(WS_EX_CONTROLPARENT, L"FormControlsTestWindow", L"", WS_OVERLAPPEDWINDOW, 0,
                        0, 800, 800, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    commands.clear();
  }
  void TearDown() override {
    DestroyWindow(window_);
    CoUninitialize();
  }

  RECT placeInWindow(HWND control) const {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
  }

  HWND window_ = nullptr;
};

std::wstring windowText(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The row's rect in the window's twips: frames hold their controls at their own offset.
forms::TwipsRect rectInWindow(const FormSpec& form, const forms::ControlSpec& row) {
  forms::TwipsRect rect = row.rect;
  for (std::string parent = row.parent; !parent.empty();) {
    const forms::ControlSpec* frame = nullptr;
    for (const auto& candidate : form.controls) {
      if (candidate.name == parent) frame = &candidate;
    }
    if (frame == nullptr) {
      ADD_FAILURE() << row.name << " is in missing frame " << parent;
      break;
    }
    rect.left += frame->rect.left;
    rect.top += frame->rect.top;
    parent = frame->parent;
  }
  return rect;
}

LOGFONTW fontOf(HWND control) {
  LOGFONTW described{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof described,
             &described);
  return described;
}

TEST_F(FormControlsTest, EveryRowIsAControlWithItsCaptionAndItsRectAtEachDpi) {
  for (const FormSpec& form :
       {forms::mainWindowForm(), forms::batchForm(), forms::fileHashForm(), forms::lineupForm()}) {
    FormControls controls(window_, form);
    std::set<int> ids;
    for (const UINT dpi : {96U, 144U, 192U}) {
      HFONT font = createDesignFont(dpi);
      controls.place(dpi, font);
      for (const auto& row : form.controls) {
        SCOPED_TRACE(form.name + " " + row.name + " at " + std::to_string(dpi));
        HWND control = controls.control(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), window_);
        ids.insert(controls.id(row.name));
        EXPECT_EQ(controls.nameOf(controls.id(row.name)), row.name);
        EXPECT_EQ(windowText(control), db::wideFromUtf8(row.caption));
        const forms::TwipsRect twips = rectInWindow(form, row);
        const RECT place = placeInWindow(control);
        EXPECT_EQ(place.left, pixelsFromTwips(twips.left, dpi));
        EXPECT_EQ(place.top, pixelsFromTwips(twips.top, dpi));
        EXPECT_EQ(place.right - place.left, pixelsFromTwips(twips.width, dpi));
        EXPECT_EQ(place.bottom - place.top, pixelsFromTwips(twips.height, dpi));
        // Pictures, outlines and sliders show no text.
        if (row.kind == ControlKind::Picture || row.kind == ControlKind::Outline ||
            row.kind == ControlKind::Slider) {
          continue;
        }
        const double points = (row.look & forms::kLargeText) != 0 ? forms::kLargePointSize
                              : (row.look & forms::kWrapped) != 0 ? forms::kTwoLinePointSize
                                                                  : forms::kDesignPointSize;
        const LOGFONTW described = fontOf(control);
        EXPECT_EQ(described.lfHeight, -std::lround(points * dpi / 72));
        EXPECT_EQ(described.lfWeight >= FW_BOLD, (row.look & forms::kBold) != 0);
        EXPECT_EQ(described.lfUnderline != 0, (row.look & forms::kLink) != 0);
      }
      DeleteObject(font);
    }
    EXPECT_EQ(ids.size(), form.controls.size()) << form.name;
    EXPECT_EQ(controls.control("noSuchRow"), nullptr);
    EXPECT_EQ(controls.nameOf(0), "");
    for (const auto& row : form.controls) DestroyWindow(controls.control(row.name));
  }
}

TEST_F(FormControlsTest, TabStopsAndGroupsFollowTheRows) {
  const FormSpec form = forms::batchForm();
  FormControls controls(window_, form);
  const auto style = [&](const char* name) {
    return GetWindowLongPtrW(controls.control(name), GWL_STYLE);
  };
  const struct {
    const char* name;
    bool tabStop;
    bool group;
  } cases[] = {{"Label1", false, true},    {"sldBat(0)", true, true},
               {"optAll", true, true},     {"optCurrent", false, false},
               {"sldBowl(0)", true, true}, {"cmdProcess", true, true}};
  for (const auto& c : cases) {
    EXPECT_EQ((style(c.name) & WS_TABSTOP) != 0, c.tabStop) << c.name;
    EXPECT_EQ((style(c.name) & WS_GROUP) != 0, c.group) << c.name;
  }
  // The tab order is the rows' order.
  EXPECT_EQ(GetNextDlgTabItem(window_, controls.control("sldBat(3)"), FALSE),
            controls.control("optAll"));
  EXPECT_EQ(GetNextDlgTabItem(window_, controls.control("optAll"), FALSE),
            controls.control("sldBowl(0)"));
}

TEST_F(FormControlsTest, TheLinkTakesTheFocusAndEnterOrSpaceClicksIt) {
  FormControls controls(window_, forms::mainWindowForm());
  HWND link = controls.control("lblCricInfo");
  EXPECT_NE(GetWindowLongPtrW(link, GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(GetNextDlgTabItem(window_, controls.control("txtBestBowlODI"), FALSE), link);
  // The keys come as the message loop hands them over, through the dialog keys.
  const auto press = [&](WPARAM key) {
    commands.clear();
    MSG down{link, WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageW(window_, &down)) DispatchMessageW(&down);
  };
  for (const WPARAM key : {VK_RETURN, VK_SPACE}) {
    press(key);
    ASSERT_EQ(commands.size(), 1U) << key;
    EXPECT_EQ(commands[0], MAKEWPARAM(controls.id("lblCricInfo"), STN_CLICKED));
  }
  press('A');
  EXPECT_TRUE(commands.empty());
}

}  // namespace
}  // namespace zelbor::win32
