#include "message_box_prompts.h"

#include <array>
#include <set>
#include <string_view>

#include "db/win32_text.h"
#include "editor/messages.h"

namespace zelbor::win32 {
namespace {

// What the hooks of the one message box open on this thread need.
struct OpenBox {
  // New captions for the Yes, No and Cancel buttons; empty keeps the system's.
  std::array<std::wstring_view, 3> captions;
  std::set<WPARAM> keysPressedHere;
  HHOOK windowHook = nullptr;
  HHOOK messageHook = nullptr;
};
thread_local OpenBox* openBox = nullptr;

LRESULT CALLBACK renameButtons(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && openBox != nullptr) {
    const auto box = reinterpret_cast<HWND>(wParam);
    constexpr std::array<int, 3> ids = {IDYES, IDNO, IDCANCEL};
    for (std::size_t i = 0; i < ids.size(); ++i) {
      if (!openBox->captions[i].empty()) {
        SetDlgItemTextW(box, ids[i], std::wstring(openBox->captions[i]).c_str());
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A key held down before the box opened keeps repeating into it: those repeats neither move the
// focus between its buttons nor choose one. A key pressed while the box is open works as usual,
// its own repeats included.
LRESULT CALLBACK dropHeldKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && openBox != nullptr) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) {
      const bool repeat = (message->lParam & (1L << 30)) != 0;
      if (!repeat) {
        openBox->keysPressedHere.insert(message->wParam);
      } else if (!openBox->keysPressedHere.contains(message->wParam)) {
        return TRUE;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int runBox(HWND owner, const std::string& text, UINT style,
           std::array<std::wstring_view, 3> captions) {
  OpenBox box;
  box.captions = captions;
  OpenBox* const outer = openBox;
  openBox = &box;
  const DWORD thread = GetCurrentThreadId();
  box.windowHook = SetWindowsHookExW(WH_CBT, renameButtons, nullptr, thread);
  box.messageHook = SetWindowsHookExW(WH_MSGFILTER, dropHeldKeys, nullptr, thread);
  const std::wstring title = db::wideFromUtf8(editor::messages::kApplicationTitle);
  const int answer =
      MessageBoxW(owner, db::wideFromUtf8(text).c_str(), title.c_str(), style | MB_SETFOREGROUND);
  if (box.messageHook != nullptr) UnhookWindowsHookEx(box.messageHook);
  if (box.windowHook != nullptr) UnhookWindowsHookEx(box.windowHook);
  openBox = outer;
  return answer;
}

std::wstring wide(std::string_view caption) {
  return db::wideFromUtf8(caption);
}

}  // namespace

HWND MessageBoxPrompts::owner() const {
  // A modal secondary window of ours is the active one while it is open.
  const HWND active = GetActiveWindow();
  if (active != nullptr) return active;
  return mainWindow_ != nullptr && IsWindowVisible(mainWindow_) ? mainWindow_ : nullptr;
}

int MessageBoxPrompts::show(const std::string& text, UINT style) const {
  return runBox(owner(), text, style, {});
}

editor::Answer MessageBoxPrompts::askYesNo(const std::string& text) {
  // Without a Cancel button the box cannot be dismissed: Yes or No must be chosen.
  return show(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES ? editor::Answer::Yes
                                                                         : editor::Answer::No;
}

editor::Answer MessageBoxPrompts::askYesNoDefaultNo(const std::string& text) {
  return show(text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES ? editor::Answer::Yes
                                                                        : editor::Answer::No;
}

editor::SaveChoice MessageBoxPrompts::askSaveChanges(const std::string& text) {
  const std::wstring save = wide(editor::messages::kSaveButton);
  const std::wstring discard = wide(editor::messages::kDiscardButton);
  const std::wstring cancel = wide(editor::messages::kCancelButton);
  // Escape and the title bar's close button answer Cancel.
  switch (runBox(owner(), text, MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON1,
                 {save, discard, cancel})) {
    case IDYES:
      return editor::SaveChoice::Save;
    case IDNO:
      return editor::SaveChoice::Discard;
    default:
      return editor::SaveChoice::Cancel;
  }
}

void MessageBoxPrompts::tell(const std::string& text, editor::MessageIcon icon) {
  UINT style = MB_OK;
  if (icon == editor::MessageIcon::Information) style |= MB_ICONINFORMATION;
  if (icon == editor::MessageIcon::Warning) style |= MB_ICONWARNING;
  show(text, style);
}

editor::TeamChangedChoice MessageBoxPrompts::askAboutChangedTeam(const std::string& text) {
  const std::wstring reload = wide(editor::messages::kReloadTeamButton);
  const std::wstring merge = wide(editor::messages::kMergeButton);
  const std::wstring keep = wide(editor::messages::kKeepEditsButton);
  // Escape and the title bar's close button keep the edits: nothing is lost by dismissing it.
  switch (runBox(owner(), text, MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON3,
                 {reload, merge, keep})) {
    case IDYES:
      return editor::TeamChangedChoice::ReloadTeam;
    case IDNO:
      return editor::TeamChangedChoice::Merge;
    default:
      return editor::TeamChangedChoice::KeepEdits;
  }
}

}  // namespace zelbor::win32
