#include "scrolled_client.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "dpi.h"
#include "forms/screen_fit.h"

namespace zelbor::win32 {
namespace {

// A scroll bar's arrow moves a row of controls, as does each line of a wheel's notch.
constexpr int kLineTwips = 360;
// A control scrolled into view keeps this much of what is around it (its caption) in view too.
constexpr int kMarginTwips = 300;
constexpr UINT_PTR kFocusWatchId = 0x5C01;

LRESULT CALLBACK focusWatch(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
  if (message == WM_SETFOCUS) reinterpret_cast<ScrolledClient*>(data)->show(control);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, focusWatch, kFocusWatchId);
  return DefSubclassProc(control, message, wParam, lParam);
}

BOOL CALLBACK collectChild(HWND child, LPARAM children) {
  reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
  return TRUE;
}

BOOL CALLBACK watchChild(HWND child, LPARAM scroller) {
  SetWindowSubclass(child, focusWatch, kFocusWatchId, static_cast<DWORD_PTR>(scroller));
  return TRUE;
}

BOOL CALLBACK unwatchChild(HWND child, LPARAM) {
  RemoveWindowSubclass(child, focusWatch, kFocusWatchId);
  return TRUE;
}

void setBar(HWND window, int bar, int content, int view, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(content - 1, 0);
  info.nPage = static_cast<UINT>(view);
  info.nPos = position;
  SetScrollInfo(window, bar, &info, TRUE);
}

}  // namespace

void ScrolledClient::fit(SIZE content, const RECT& workArea, UINT dpi) {
  dpi_ = dpi;
  // The frame and menu bar as the window has them, without scroll bars.
  ShowScrollBar(window_, SB_BOTH, FALSE);
  RECT outer{};
  GetWindowRect(window_, &outer);
  RECT client{};
  GetClientRect(window_, &client);
  const SIZE frame{(outer.right - outer.left) - client.right,
                   (outer.bottom - outer.top) - client.bottom};
  const int bar = std::max(GetSystemMetricsForDpi(SM_CXVSCROLL, dpi),
                           GetSystemMetricsForDpi(SM_CYHSCROLL, dpi));
  const forms::ScreenFit fit = forms::fitToRoom(
      {content.cx, content.cy},
      {workArea.right - workArea.left - frame.cx, workArea.bottom - workArea.top - frame.cy}, bar);
  horizontalBar_ = fit.horizontalBar;
  verticalBar_ = fit.verticalBar;
  ShowScrollBar(window_, SB_HORZ, fit.horizontalBar ? TRUE : FALSE);
  ShowScrollBar(window_, SB_VERT, fit.verticalBar ? TRUE : FALSE);
  SIZE size{fit.window.width + frame.cx, fit.window.height + frame.cy};
  moveInto(workArea, size);
  // Where the system's scroll bars are not as thick as asked, the view takes up the difference.
  GetClientRect(window_, &client);
  size.cx += fit.view.width - client.right;
  size.cy += fit.view.height - client.bottom;
  moveInto(workArea, size);

  GetClientRect(window_, &client);
  view_ = {client.right, client.bottom};
  range_ = {std::max<LONG>(content.cx - view_.cx, 0), std::max<LONG>(content.cy - view_.cy, 0)};
  setBar(window_, SB_HORZ, content.cx, view_.cx, position_.x);
  setBar(window_, SB_VERT, content.cy, view_.cy, position_.y);
  // A smaller range may leave the view beyond the content's end.
  scrollTo({std::min(position_.x, range_.cx), std::min(position_.y, range_.cy)});
}

void ScrolledClient::moveInto(const RECT& workArea, SIZE& size) {
  size.cx = std::min<LONG>(size.cx, workArea.right - workArea.left);
  size.cy = std::min<LONG>(size.cy, workArea.bottom - workArea.top);
  RECT now{};
  GetWindowRect(window_, &now);
  const LONG left = std::clamp(now.left, workArea.left, workArea.right - size.cx);
  const LONG top = std::clamp(now.top, workArea.top, workArea.bottom - size.cy);
  SetWindowPos(window_, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrolledClient::fitToMonitor(SIZE content, UINT dpi) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
  fit(content, monitor.rcWork, dpi);
}

void ScrolledClient::childrenPlaced() {
  position_ = {0, 0};
}

ScrolledClient::~ScrolledClient() {
  if (window_ != nullptr && IsWindow(window_)) EnumChildWindows(window_, unwatchChild, 0);
}

void ScrolledClient::attach(HWND window) {
  window_ = window;
  EnumChildWindows(window_, watchChild, reinterpret_cast<LPARAM>(this));
}

void ScrolledClient::scrollTo(POINT position) {
  position.x = std::clamp<LONG>(position.x, 0, range_.cx);
  position.y = std::clamp<LONG>(position.y, 0, range_.cy);
  if (position.x == position_.x && position.y == position_.y) return;
  // Every child moves, also those outside the view (which ScrollWindowEx leaves where they are).
  const POINT by{position_.x - position.x, position_.y - position.y};
  std::vector<HWND> children;
  EnumChildWindows(window_, collectChild, reinterpret_cast<LPARAM>(&children));
  // Drawn once, after every child has moved.
  SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  HDWP moves = BeginDeferWindowPos(static_cast<int>(children.size()));
  for (HWND child : children) {
    if (GetParent(child) != window_) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    if (moves != nullptr) {
      moves = DeferWindowPos(moves, child, nullptr, rect.left + by.x, rect.top + by.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (moves != nullptr) EndDeferWindowPos(moves);
  SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  position_ = position;
  SetScrollPos(window_, SB_HORZ, position_.x, TRUE);
  SetScrollPos(window_, SB_VERT, position_.y, TRUE);
}

void ScrolledClient::scrollBy(int bar, int code, int track, int wheelLines) {
  const bool vertical = bar == SB_VERT;
  const int now = vertical ? position_.y : position_.x;
  const int page = vertical ? view_.cy : view_.cx;
  const int line = pixelsFromTwips(kLineTwips, dpi_);
  int next = now;
  switch (code) {
    case SB_LINEUP:
      next = now - line;
      break;
    case SB_LINEDOWN:
      next = now + line;
      break;
    case SB_PAGEUP:
      next = now - page;
      break;
    case SB_PAGEDOWN:
      next = now + page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      next = track;
      break;
    case SB_TOP:
      next = 0;
      break;
    case SB_BOTTOM:
      next = vertical ? range_.cy : range_.cx;
      break;
    default:
      next = now - wheelLines * line;
      break;
  }
  scrollTo(vertical ? POINT{position_.x, next} : POINT{next, position_.y});
}

bool ScrolledClient::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL:
    case WM_HSCROLL: {
      // A scroll bar control's or a slider's, not the window's own.
      if (lParam != 0) return false;
      const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(window_, bar, &info);
      scrollBy(bar, LOWORD(wParam), info.nTrackPos, 0);
      return true;
    }
    case WM_MOUSEWHEEL: {
      // Three rows a notch, as much as the user's setting asks for otherwise.
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      const int bar = verticalBar_ || !horizontalBar_ ? SB_VERT : SB_HORZ;
      scrollBy(bar, -1, 0, notches * static_cast<int>(std::min(lines, 10U)));
      return true;
    }
    default:
      return false;
  }
}

void ScrolledClient::show(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
  const int margin = pixelsFromTwips(kMarginTwips, dpi_);
  // The margin only where the view holds the control and its margins.
  const auto to = [margin](LONG position, LONG view, LONG start, LONG end, LONG range) {
    const int kept = end - start + 2 * margin <= view ? margin : 0;
    return forms::scrollToShow(position, view, start + position - kept, end + position + kept,
                               range);
  };
  scrollTo({to(position_.x, view_.cx, rect.left, rect.right, range_.cx),
            to(position_.y, view_.cy, rect.top, rect.bottom, range_.cy)});
}

}  // namespace zelbor::win32
