#include "find_player_dialog.h"

#include <commctrl.h>

#include "db/win32_text.h"
#include "editor/messages.h"
#include "forms/exchange_texts.h"
#include "modal_dialog.h"

namespace zelbor::win32 {
namespace {

namespace texts = forms::exchange_texts;

constexpr int kBoxHeightTwips = 315;

using Matcher = std::function<std::vector<editor::PlayerMatch>(const std::string&)>;

class FindWindow final : public ModalDialog {
 public:
  explicit FindWindow(const Matcher& matches)
      : ModalDialog(texts::kFindWindowWidth, texts::kFindWindowHeight), matches_(matches) {}

  std::optional<editor::PlayerMatch> chosen() const { return chosen_; }

 private:
  void created() override {
    box_ = addControl(WC_EDITW, "", WS_TABSTOP | ES_AUTOHSCROLL, kFindBoxId, WS_EX_CLIENTEDGE);
    SetWindowSubclass(box_, moveHighlight, 0, reinterpret_cast<DWORD_PTR>(this));
    list_ = addControl(WC_LISTBOXW, "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       kMatchListId, WS_EX_CLIENTEDGE);
    ok_ = addButton(texts::kGoToPlayerButton, IDOK, true);
    addButton(editor::messages::kCancelButton, IDCANCEL, false);
    setDefaultButton(IDOK);
    refresh();
  }

  void place() override {
    const int space = margin();
    const int width = clientSize().cx - 2 * space;
    const int boxHeight = pixels(kBoxHeightTwips);
    MoveWindow(box_, space, space, width, boxHeight, TRUE);
    const int listTop = 2 * space + boxHeight;
    const int buttonTop = placeButtons();
    MoveWindow(list_, space, listTop, width, buttonTop - space - listTop, TRUE);
  }

  void refresh() {
    const int length = GetWindowTextLengthW(box_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box_, text.data(), length + 1)));
    const std::string typed = db::utf8FromWide(text);
    shown_ = matches_(typed);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    const auto add = [&](const std::string& entry) {
      SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(db::wideFromUtf8(entry).c_str()));
    };
    for (const editor::PlayerMatch& match : shown_) add(texts::matchEntry(match));
    // Said in the list, where the matches would be; Enter and a double click on it do nothing.
    if (const auto none = texts::noMatchEntry(typed); shown_.empty() && none) add(*none);
    SendMessageW(list_, LB_SETCURSEL, shown_.empty() ? static_cast<WPARAM>(-1) : 0, 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    EnableWindow(ok_, shown_.empty() ? FALSE : TRUE);
  }

  bool command(int id, int code) override {
    if (id == kFindBoxId && code == EN_CHANGE) {
      refresh();
      return true;
    }
    if (id == kMatchListId && code == LBN_DBLCLK) {
      SendMessageW(dialog(), WM_COMMAND, IDOK, 0);
      return true;
    }
    if (id != IDOK) return false;
    const auto row = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    // Enter with no match listed does nothing.
    if (row < 0 || row >= static_cast<int>(shown_.size())) return true;
    chosen_ = shown_[static_cast<std::size_t>(row)];
    return false;
  }

  // Up and Down typed in the box move the list's highlight.
  static LRESULT CALLBACK moveHighlight(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
      HWND list = reinterpret_cast<FindWindow*>(self)->list_;
      const auto row =
          static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)) + (wParam == VK_DOWN ? 1 : -1);
      if (row >= 0 && row < static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0))) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
      }
      return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(box, moveHighlight, 0);
    return DefSubclassProc(box, message, wParam, lParam);
  }

  const Matcher& matches_;
  HWND box_ = nullptr;
  HWND list_ = nullptr;
  HWND ok_ = nullptr;
  std::vector<editor::PlayerMatch> shown_;
  std::optional<editor::PlayerMatch> chosen_;
};

}  // namespace

std::optional<editor::PlayerMatch> FindPlayerDialog::choosePlayer(const Matcher& matches) {
  FindWindow window(matches);
  if (window.run(owner_, texts::kFindTitle) != IDOK) return std::nullopt;
  return window.chosen();
}

}  // namespace zelbor::win32
