#pragma once

#include <windows.h>

#include "editor/held_keys.h"

namespace zelbor::win32 {

// Lives while a modal window or message box of this thread is open and keeps the held-key rule
// (editor::HeldKeys) for it. The innermost of nested ones decides.
class HeldKeyFilter {
 public:
  HeldKeyFilter();
  ~HeldKeyFilter();
  HeldKeyFilter(const HeldKeyFilter&) = delete;
  HeldKeyFilter& operator=(const HeldKeyFilter&) = delete;

 private:
  static LRESULT CALLBACK dropHeldKeys(int code, WPARAM wParam, LPARAM lParam);

  editor::HeldKeys heldKeys_;
  HeldKeyFilter* outer_;
  HHOOK hook_ = nullptr;
};

}  // namespace zelbor::win32
