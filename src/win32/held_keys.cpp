#include "held_keys.h"

namespace zelbor::win32 {
namespace {

thread_local HeldKeyFilter* innermost = nullptr;

}  // namespace

HeldKeyFilter::HeldKeyFilter() : outer_(innermost) {
  innermost = this;
  // The dialogs' and message boxes' own loops pass each message here before acting on it.
  if (outer_ == nullptr) {
    hook_ = SetWindowsHookExW(WH_MSGFILTER, dropHeldKeys, nullptr, GetCurrentThreadId());
  }
}

HeldKeyFilter::~HeldKeyFilter() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  innermost = outer_;
}

LRESULT CALLBACK HeldKeyFilter::dropHeldKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && innermost != nullptr) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) {
      // Bit 30: the key was already down.
      const bool repeat = (message->lParam & (1L << 30)) != 0;
      if (!innermost->heldKeys_.passes(static_cast<int>(message->wParam), repeat)) return TRUE;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace zelbor::win32
