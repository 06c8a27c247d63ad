#pragma once

#include <windows.h>

#include <set>

namespace zelbor::win32 {

// Lives while a modal dialog or message box of this thread is open: a key that went down before
// it opened keeps repeating into it, and those repeats neither move its focus nor press its
// buttons. A key pressed while it is open works as usual, its own repeats included. The innermost
// of nested ones decides.
class HeldKeyFilter {
 public:
  HeldKeyFilter();
  ~HeldKeyFilter();
  HeldKeyFilter(const HeldKeyFilter&) = delete;
  HeldKeyFilter& operator=(const HeldKeyFilter&) = delete;

 private:
  static LRESULT CALLBACK dropHeldKeys(int code, WPARAM wParam, LPARAM lParam);

  std::set<WPARAM> keysPressedHere_;
  HeldKeyFilter* outer_;
  HHOOK hook_ = nullptr;
};

}  // namespace zelbor::win32
