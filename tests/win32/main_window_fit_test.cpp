// The main window on screens that cannot hold it: at each dpi and screen size the window stays in
// the work area, and every control can be brought on screen by the scroll bars and by Tab.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "forms/main_window_form.h"
#include "win32/dpi.h"
#include "win32/main_window.h"

namespace zelbor::win32 {
namespace {

struct Screen {
  UINT dpi;
  int width;
  int height;
  bool scrollsDown;
  bool scrollsAcross;
};

// 633 x 710 pixels of controls at 96 dpi, 791 x 888 at 120, 950 x 1065 at 144, 1266 x 1420 at
// 192, below a title and a menu bar.
constexpr Screen kScreens[] = {
    {96, 1280, 800, false, false}, {96, 1366, 768, false, false}, {96, 1920, 1080, false, false},
    {120, 1280, 800, true, false}, {120, 1366, 768, true, false}, {120, 1920, 1080, false, false},
    {144, 1280, 800, true, false}, {144, 1366, 768, true, false}, {144, 1920, 1080, true, false},
    {192, 1280, 800, true, true},  {192, 1366, 768, true, false}, {192, 1920, 1080, true, false},
};

std::string describe(const Screen& screen) {
  return std::to_string(screen.width) + "x" + std::to_string(screen.height) + " at " +
         std::to_string(screen.dpi) + " dpi";
}

RECT clientRect(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

// The child's rectangle in its window's client coordinates.
RECT placeOf(HWND window, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool inside(POINT point, const RECT& outer) {
  return point.x >= outer.left && point.y >= outer.top && point.x < outer.right &&
         point.y < outer.bottom;
}

// As much of `control` as the view can hold shows: all of it where it fits, else its start.
bool showsAsMuchAsFits(const RECT& control, const RECT& view) {
  const auto shows = [](LONG start, LONG end, LONG viewStart, LONG viewEnd) {
    return start >= viewStart &&
           (end <= viewEnd || (end - start > viewEnd - viewStart && start < viewEnd));
  };
  return shows(control.left, control.right, view.left, view.right) &&
         shows(control.top, control.bottom, view.top, view.bottom);
}

void scroll(HWND window, UINT message, WORD code) {
  SendMessageW(window, message, MAKEWPARAM(code, 0), 0);
}

class MainWindowFitTest : public ::testing::TestWithParam<Screen> {
 protected:
  void SetUp() override {
    const Screen& screen = GetParam();
    RECT suggested{0, 0, screen.width, screen.height};
    SendMessageW(main_.window(), WM_DPICHANGED, MAKEWPARAM(screen.dpi, screen.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(main_.dpi(), screen.dpi);
    main_.fitTo(workArea_);
  }

  HWND window() { return main_.window(); }
  bool hasBar(DWORD bar) { return (GetWindowLongPtrW(window(), GWL_STYLE) & bar) != 0; }

  void expectFitsTheWorkArea() {
    RECT outer{};
    GetWindowRect(window(), &outer);
    EXPECT_TRUE(inside(outer, workArea_));
    EXPECT_EQ(hasBar(WS_VSCROLL), GetParam().scrollsDown);
    EXPECT_EQ(hasBar(WS_HSCROLL), GetParam().scrollsAcross);
    if (GetParam().scrollsDown || GetParam().scrollsAcross) return;
    // Room enough: the designed client area whole, every control on it unscrolled.
    const forms::FormSpec form = forms::mainWindowForm();
    const RECT client = clientRect(window());
    EXPECT_EQ(client.right, pixelsFromTwips(form.clientWidth, GetParam().dpi));
    EXPECT_EQ(client.bottom, pixelsFromTwips(form.clientHeight, GetParam().dpi));
    for (const forms::ControlSpec& row : form.controls) {
      EXPECT_TRUE(inside(placeOf(window(), main_.controls().control(row.name)), client))
          << row.name;
    }
  }

  // Scrolls a page at a time down and at each step across, noting which corners of each control
  // came on screen: a control whose first and last pixel both did can be seen whole.
  void expectScrollBarsReachEveryControl() {
    std::set<std::string> firstShown;
    std::set<std::string> lastShown;
    const auto note = [&] {
      const RECT client = clientRect(window());
      for (const forms::ControlSpec& row : forms::mainWindowForm().controls) {
        const RECT place = placeOf(window(), main_.controls().control(row.name));
        if (inside(POINT{place.left, place.top}, client)) firstShown.insert(row.name);
        if (inside(POINT{place.right - 1, place.bottom - 1}, client)) lastShown.insert(row.name);
      }
    };
    scroll(window(), WM_VSCROLL, SB_TOP);
    for (int down = 0; down < 20; ++down) {
      scroll(window(), WM_HSCROLL, SB_LEFT);
      for (int across = 0; across < 20; ++across) {
        note();
        const POINT before = main_.scrolled().position();
        scroll(window(), WM_HSCROLL, SB_PAGERIGHT);
        if (main_.scrolled().position().x == before.x) break;
      }
      const POINT before = main_.scrolled().position();
      scroll(window(), WM_VSCROLL, SB_PAGEDOWN);
      if (main_.scrolled().position().y == before.y) break;
    }
    for (const forms::ControlSpec& row : forms::mainWindowForm().controls) {
      EXPECT_TRUE(firstShown.contains(row.name) && lastShown.contains(row.name))
          << row.name << " not reached by the scroll bars";
    }
    // Back at the start, the controls are where they were designed.
    scroll(window(), WM_VSCROLL, SB_TOP);
    scroll(window(), WM_HSCROLL, SB_LEFT);
    EXPECT_EQ(main_.scrolled().position().x, 0);
    EXPECT_EQ(main_.scrolled().position().y, 0);
    const RECT first = placeOf(window(), main_.controls().control("Frame1"));
    EXPECT_EQ(first.top,
              pixelsFromTwips(forms::mainWindowForm().controls.front().rect.top, GetParam().dpi));
  }

  // Tab through the window as the message loop hands it to the dialog manager: each control
  // with the focus shows.
  void expectTabShowsEachFocusedControl() {
    ShowWindow(window(), SW_SHOW);
    SetForegroundWindow(window());
    HWND first = GetNextDlgTabItem(window(), nullptr, FALSE);
    ASSERT_NE(first, nullptr);
    SetFocus(first);
    std::set<HWND> visited;
    for (HWND focused = GetFocus(); focused != nullptr && !visited.contains(focused);
         focused = GetFocus()) {
      visited.insert(focused);
      EXPECT_TRUE(showsAsMuchAsFits(placeOf(window(), focused), clientRect(window())))
          << main_.controls().nameOf(GetDlgCtrlID(focused)) << " off screen with the focus";
      MSG tab{focused, WM_KEYDOWN, VK_TAB, 1, 0, {}};
      IsDialogMessageW(window(), &tab);
    }
    // The Tab order went round to the last boxes, at the window's bottom.
    EXPECT_TRUE(visited.contains(main_.controls().control("txtBestBowlODI")));
    EXPECT_GT(visited.size(), 40U);
  }

  void expectWheelScrollsDown() {
    scroll(window(), WM_VSCROLL, SB_TOP);
    SendMessageW(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(main_.scrolled().position().y > 0, GetParam().scrollsDown);
    EXPECT_EQ(main_.scrolled().position().x, 0);
  }

  MainWindow main_;
  RECT workArea_{0, 0, GetParam().width, GetParam().height};
};

// One window a screen, as making one takes a while under Wine.
TEST_P(MainWindowFitTest, FitsTheWorkAreaAndScrollsToEveryControl) {
  SCOPED_TRACE(describe(GetParam()));
  expectFitsTheWorkArea();
  expectScrollBarsReachEveryControl();
  expectTabShowsEachFocusedControl();
  expectWheelScrollsDown();
}

INSTANTIATE_TEST_SUITE_P(Screens, MainWindowFitTest, ::testing::ValuesIn(kScreens));

}  // namespace
}  // namespace zelbor::win32
