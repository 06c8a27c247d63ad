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

}  // namespace
}  // namespace zelbor::win32
