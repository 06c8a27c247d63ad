#include "text_box_rules.h"

#include <commctrl.h>

#include <string_view>

#include "db/win32_text.h"
#include "editor/input_rules.h"
#include "refusal_tip.h"

namespace zelbor::win32 {
namespace {

constexpr UINT_PTR kRulesId = 1;

// The first half of a character beyond the Basic Multilingual Plane, typed as two WM_CHARs.
struct PendingSurrogate {
  wchar_t high = 0;
};

// Characters the box keeps around an insertion replacing its selection.
std::size_t keptLength(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto length = static_cast<std::size_t>(GetWindowTextLengthW(edit));
  return length - (end - start);
}

// Inserts `inserted` in place of the selection when the rules take it, else says why not.
void insertChecked(HWND edit, editor::TextBox box, const std::wstring& inserted) {
  const editor::Insertion insertion =
      editor::checkInsertion(box, db::utf8FromWide(inserted), editText(edit), keptLength(edit));
  if (!insertion.refusal.empty()) {
    showRefusal(edit, insertion.refusal);
    return;
  }
  SendMessageW(edit, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(db::wideFromUtf8(insertion.text).c_str()));
}

std::wstring clipboardText(HWND edit) {
  std::wstring text;
  if (!OpenClipboard(edit)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = characters;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool controlHeld() {
  // Ctrl+Alt is AltGr on some keyboards, which types ordinary characters.
  return (GetKeyState(VK_CONTROL) & 0x8000) != 0 && (GetKeyState(VK_MENU) & 0x8000) == 0;
}

LRESULT CALLBACK rulesProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
  const auto box = static_cast<editor::TextBox>(data);
  static thread_local PendingSurrogate pending;
  switch (message) {
    case WM_CHAR: {
      // A refusal stays on screen until the user's next key.
      hideRefusal(edit);
      const auto unit = static_cast<wchar_t>(wParam);
      // Control codes (Backspace, Enter, Ctrl+letters) and the space pass every filter.
      if (unit <= L' ' || unit == 127 || controlHeld()) break;
      if (IS_HIGH_SURROGATE(unit)) {
        pending.high = unit;
        return 0;
      }
      std::wstring typed;
      if (IS_LOW_SURROGATE(unit) && pending.high != 0) typed.push_back(pending.high);
      pending.high = 0;
      typed.push_back(unit);
      const std::string utf8 = db::utf8FromWide(typed);
      // The key filter looks at the character's single-byte code; a refused key is dropped quietly.
      const char32_t character = typed.size() == 2
                                     ? 0x10000 + ((typed[0] - 0xD800) << 10) + (typed[1] - 0xDC00)
                                     : typed[0];
      if (!editor::keyAccepted(box, editor::keyCode(character), editText(edit))) return 0;
      insertChecked(edit, box, typed);
      return 0;
    }
    case WM_PASTE:
      hideRefusal(edit);
      insertChecked(edit, box, clipboardText(edit));
      return 0;
    case WM_KILLFOCUS:
      hideRefusal(edit);
      break;
    case WM_NCDESTROY:
      removeRefusalTip(edit);
      RemoveWindowSubclass(edit, rulesProcedure, kRulesId);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void applyTextBoxRules(HWND edit, editor::TextBox box) {
  SendMessageW(edit, EM_SETREADONLY, editor::editable(box) ? FALSE : TRUE, 0);
  if (!editor::editable(box)) return;
  SetWindowSubclass(edit, rulesProcedure, kRulesId, static_cast<DWORD_PTR>(box));
}

void setTextFromEditor(HWND edit, const std::string& text) {
  SetWindowTextW(edit, db::wideFromUtf8(text).c_str());
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

std::string editText(HWND edit) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return db::utf8FromWide(text);
}

}  // namespace zelbor::win32
