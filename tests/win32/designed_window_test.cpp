#include "win32/designed_window.h"

#include <gtest/gtest.h>

#include "win32/dpi.h"

namespace zelbor::win32 {
namespace {

TEST(DesignedWindow, TitleMarksUnsavedEdits) {
  EXPECT_EQ(windowTitle("C:\\Spiele\\\xC3\x84rger\\TeamAndPlayerInfo.bag", false),
            L"C:\\Spiele\\\u00C4rger\\TeamAndPlayerInfo.bag");
  EXPECT_EQ(windowTitle("C:\\a[*].bag", true), L"C:\\a[*].bag*");
}

TEST(DesignedWindow, ClientAreaIsTheDesignedSizeAtEachDpi) {
  for (const UINT dpi : {96U, 144U, 192U}) {
    const SIZE outer = designedWindowSize(3000, 4500, true, dpi);
    RECT frame{};
    AdjustWindowRectExForDpi(&frame, kDesignedWindowStyle, TRUE, 0, dpi);
    EXPECT_EQ(outer.cx - (frame.right - frame.left), pixelsFromTwips(3000, dpi)) << dpi;
    EXPECT_EQ(outer.cy - (frame.bottom - frame.top), pixelsFromTwips(4500, dpi)) << dpi;
  }
  // A real window at the screen's dpi gets exactly that client area.
  const UINT dpi = windowDpi(nullptr);
  const SIZE outer = designedWindowSize(3000, 4500, false, dpi);
  HWND window = CreateWindowExW(0, L"STATIC", L"", kDesignedWindowStyle, 0, 0, outer.cx, outer.cy,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, pixelsFromTwips(3000, dpi));
  EXPECT_EQ(client.bottom, pixelsFromTwips(4500, dpi));
  DestroyWindow(window);
}

TEST(DesignedWindow, DesignFontIsEightPointsAtTheWindowsDpi) {
  for (const UINT dpi : {96U, 144U, 192U}) {
    HFONT font = createDesignFont(dpi);
    LOGFONTW described{};
    GetObjectW(font, sizeof described, &described);
    EXPECT_EQ(described.lfHeight, -MulDiv(8, static_cast<int>(dpi), 72)) << dpi;
    EXPECT_NE(described.lfFaceName[0], L'\0');
    DeleteObject(font);
  }
}

class TestWindow final : public DesignedWindow {
 public:
  TestWindow() : DesignedWindow(3000, 1500) { create("Test window", nullptr, nullptr); }
  int dpiChanges = 0;

 private:
  void dpiChanged() override { ++dpiChanges; }
};

TEST(DesignedWindow, KeepsItsSizeInTwipsOnAMonitorOfAnotherDpi) {
  TestWindow window;
  ASSERT_NE(window.window(), nullptr);
  RECT client{};
  GetClientRect(window.window(), &client);
  EXPECT_EQ(client.right, pixelsFromTwips(3000, window.dpi()));
  EXPECT_EQ(client.bottom, pixelsFromTwips(1500, window.dpi()));
  EXPECT_NE(window.font(), nullptr);

  // Windows suggests a place on the new monitor; the size is the window's own.
  RECT suggested{40, 50, 41, 51};
  SendMessageW(window.window(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window.dpi(), 192U);
  EXPECT_EQ(window.dpiChanges, 1);
  LOGFONTW font{};
  GetObjectW(window.font(), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -MulDiv(8, 192, 72));
  RECT outer{};
  GetWindowRect(window.window(), &outer);
  const SIZE expected = designedWindowSize(3000, 1500, false, 192);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 50);
  EXPECT_EQ(outer.right - outer.left, expected.cx);
  EXPECT_EQ(outer.bottom - outer.top, expected.cy);
}

TEST(DesignedWindow, MessageLoopDispatchesUntilQuitAndReturnsItsCode) {
  TestWindow window;
  // A message for the window is dispatched before the quit that follows it.
  static RECT suggested{0, 0, 1, 1};
  PostMessageW(window.window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  PostQuitMessage(3);
  EXPECT_EQ(runMessageLoop(window.window(), nullptr), 3);
  EXPECT_EQ(window.dpiChanges, 1);
}

}  // namespace
}  // namespace zelbor::win32
