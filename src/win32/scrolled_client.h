#pragma once

#include <windows.h>

namespace zelbor::win32 {

// A window whose designed client area may be larger than the screen allows: the window is sized
// to the monitor's work area and its child controls scroll, by the scroll bars, the mouse wheel
// and a control taking the focus (Tab), which is scrolled into view.
class ScrolledClient {
 public:
  ScrolledClient() = default;
  ScrolledClient(const ScrolledClient&) = delete;
  ScrolledClient& operator=(const ScrolledClient&) = delete;
  // The children stop reporting their focus here: the window may outlive this.
  ~ScrolledClient();

  // Takes over scrolling `window`, whose children are made: each of them scrolls into view when
  // it gets the focus.
  void attach(HWND window);

  // Sizes the window for a client area of `content` pixels at `dpi` within `workArea` (screen
  // coordinates) and keeps it inside; the children are where place() left them, scrolled by
  // position().
  void fit(SIZE content, const RECT& workArea, UINT dpi);
  // The same within the work area of the monitor the window is on.
  void fitToMonitor(SIZE content, UINT dpi);
  // The children were placed again at their designed positions: nothing is scrolled now.
  void childrenPlaced();

  // Scroll bar and mouse wheel messages; true when handled.
  bool handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Scrolls so that `control`, a child, shows whole where the view can hold it.
  void show(HWND control);

  POINT position() const { return position_; }

 private:
  void scrollTo(POINT position);
  // Sizes the window to `size`, at most the work area's, and moves it into the work area.
  void moveInto(const RECT& workArea, SIZE& size);
  void scrollBy(int bar, int code, int track, int wheelLines);

  HWND window_ = nullptr;
  UINT dpi_ = 96;
  bool horizontalBar_ = false;
  bool verticalBar_ = false;
  SIZE view_{0, 0};   // the client area: the part of the content on screen
  SIZE range_{0, 0};  // the furthest scroll positions
  POINT position_{0, 0};
};

}  // namespace zelbor::win32
