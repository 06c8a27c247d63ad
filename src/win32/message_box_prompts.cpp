#include "message_box_prompts.h"

#include <array>
#include <string_view>

#include "db/win32_text.h"
#include "editor/messages.h"
#include "held_keys.h"

namespace zelbor::win32 {
namespace {

// What the hooks of the one message box open on this thread need.
struct OpenBox {
  // New captions for the Yes, No and Cancel buttons; empty keeps the system's.
  std::array<std::wstring_view, 3> captions;
  HHOOK windowHook = nullptr;
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

int runBox(HWND owner, const std::string& text, UINT style,
           std::array<std::wstring_view, 3> captions) {
  OpenBox box;
  box.captions = captions;
  OpenBox* const outer = openBox;
  openBox = &box;
  const DWORD thread = GetCurrentThreadId();
  box.windowHook = SetWindowsHookExW(WH_CBT, renameButtons, nullptr, thread);
  const std::wstring title = db::wideFromUtf8(editor::messages::kApplicationTitle);
  const HeldKeyFilter held;
  const int answer =
      MessageBoxW(owner, db::wideFromUtf8(text).c_str(), title.c_str(), style | MB_SETFOREGROUND);
  if (box.windowHook != nullptr) UnhookWindowsHookEx(box.windowHook);
  openBox = outer;
  return answer;
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

std::size_t MessageBoxPrompts::chooseOfThree(const std::string& text,
                                             const std::array<std::string_view, 3>& captions,
                                             UINT defaultButton) const {
  const std::array<std::wstring, 3> wide = {
      db::wideFromUtf8(captions[0]), db::wideFromUtf8(captions[1]), db::wideFromUtf8(captions[2])};
  switch (runBox(owner(), text, MB_YESNOCANCEL | MB_ICONWARNING | defaultButton,
                 {wide[0], wide[1], wide[2]})) {
    case IDYES:
      return 0;
    case IDNO:
      return 1;
    default:
      return 2;
  }
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
  // Escape and the title bar's close button cancel.
  constexpr std::array choices = {editor::SaveChoice::Save, editor::SaveChoice::Discard,
                                  editor::SaveChoice::Cancel};
  return choices[chooseOfThree(text,
                               {editor::messages::kSaveButton, editor::messages::kDiscardButton,
                                editor::messages::kCancelButton},
                               MB_DEFBUTTON1)];
}

void MessageBoxPrompts::tell(const std::string& text, editor::MessageIcon icon) {
  UINT style = MB_OK;
  if (icon == editor::MessageIcon::Information) style |= MB_ICONINFORMATION;
  if (icon == editor::MessageIcon::Warning) style |= MB_ICONWARNING;
  show(text, style);
}

editor::TeamChangedChoice MessageBoxPrompts::askAboutChangedTeam(const std::string& text) {
  // Escape and the title bar's close button keep the edits: nothing is lost by dismissing it.
  constexpr std::array choices = {editor::TeamChangedChoice::ReloadTeam,
                                  editor::TeamChangedChoice::Merge,
                                  editor::TeamChangedChoice::KeepEdits};
  return choices[chooseOfThree(text,
                               {editor::messages::kReloadTeamButton, editor::messages::kMergeButton,
                                editor::messages::kKeepEditsButton},
                               MB_DEFBUTTON3)];
}

}  // namespace zelbor::win32
