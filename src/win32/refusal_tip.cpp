#include "refusal_tip.h"

#include <commctrl.h>

#include "db/win32_text.h"

namespace zelbor::win32 {
namespace {

constexpr wchar_t kTipProperty[] = L"ZelborRefusalTip";
// Clear of the ids the tooltip control uses for its own timers.
constexpr UINT_PTR kHideTimer = 0x7A31;
constexpr UINT kShownMilliseconds = 6000;

TTTOOLINFOW toolFor(HWND edit, HWND tip) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = GetParent(tip);
  tool.uId = reinterpret_cast<UINT_PTR>(edit);
  return tool;
}

void CALLBACK hideWhenDue(HWND tip, UINT, UINT_PTR timer, DWORD) {
  KillTimer(tip, timer);
  SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, 0);
}

// The box's tooltip, made on its first refusal; it is owned by the box's window and goes with it.
HWND tipFor(HWND edit) {
  if (auto* tip = static_cast<HWND>(GetPropW(edit, kTipProperty)); tip != nullptr && IsWindow(tip))
    return tip;
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  HWND owner = GetAncestor(edit, GA_ROOT);
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tip == nullptr) return nullptr;
  TTTOOLINFOW tool = toolFor(edit, tip);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // Long refusals wrap within the width of a screen's third rather than run off it.
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 3);
  SetPropW(edit, kTipProperty, tip);
  return tip;
}

}  // namespace

void showRefusal(HWND edit, const std::string& refusal) {
  MessageBeep(MB_ICONWARNING);
  HWND tip = tipFor(edit);
  if (tip == nullptr) return;
  const std::wstring text = db::wideFromUtf8(refusal);
  TTTOOLINFOW tool = toolFor(edit, tip);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  RECT box{};
  GetWindowRect(edit, &box);
  SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(box.left, box.bottom));
  SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  SetTimer(tip, kHideTimer, kShownMilliseconds, hideWhenDue);
}

void hideRefusal(HWND edit) {
  auto* tip = static_cast<HWND>(GetPropW(edit, kTipProperty));
  if (tip == nullptr || !IsWindow(tip)) return;
  KillTimer(tip, kHideTimer);
  TTTOOLINFOW tool = toolFor(edit, tip);
  SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void removeRefusalTip(HWND edit) {
  auto* tip = static_cast<HWND>(RemovePropW(edit, kTipProperty));
  if (tip != nullptr && IsWindow(tip)) DestroyWindow(tip);
}

}  // namespace zelbor::win32
