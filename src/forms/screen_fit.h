#pragma once

namespace zelbor::forms {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// How a window's designed content shows in the room the screen leaves for it (the work area less
// the window's frame and menu bar). Content that does not fit scrolls: a scroll bar takes room
// across the other direction too, which may make that direction scroll as well.
struct ScreenFit {
  PixelSize window;  // the content's part of the window, scroll bars included
  PixelSize view;    // the part of the content on screen at a time
  bool horizontalBar = false;
  bool verticalBar = false;
  PixelSize scrollRange;  // the furthest scroll positions: 0 where nothing scrolls
  friend bool operator==(const ScreenFit&, const ScreenFit&) = default;
};

ScreenFit fitToRoom(PixelSize content, PixelSize room, int scrollBarThickness);

// The scroll position that shows the span [start, end) of the content in a view `view` long, now at
// `position`, moving as little as possible; a span longer than the view shows its start. Clamped
// to 0..range.
int scrollToShow(int position, int view, int start, int end, int range);

}  // namespace zelbor::forms
