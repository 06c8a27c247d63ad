#include "win32/message_box_prompts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "db/win32_text.h"

namespace zelbor::win32 {
namespace {

// What the message box looked like while it was open.
struct SeenBox {
  std::string text;
  std::vector<std::string> buttons;  // the captions of IDYES, IDNO, IDCANCEL, IDOK where present
  int defaultButton = 0;
};

std::string windowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return db::utf8FromWide(text);
}

// Answers the next message box of the program from another thread, as a user would: `answer`
// gets the open box and its focused control.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::function<void(HWND box, HWND focus)> answer)
      : thread_([this, answer = std::move(answer)] {
          HWND box = nullptr;
          for (int tries = 0; box == nullptr && tries < 500; ++tries) {
            box = FindWindowW(L"#32770", L"Zelbor Player Editor");
            if (box == nullptr) Sleep(10);
          }
          if (box == nullptr) return;
          // The box has changed its buttons once it is shown.
          for (int tries = 0; !IsWindowVisible(box) && tries < 100; ++tries) Sleep(10);
          Sleep(50);
          for (const int id : {IDYES, IDNO, IDCANCEL, IDOK}) {
            HWND button = GetDlgItem(box, id);
            if (button == nullptr) continue;
            seen_.buttons.push_back(windowText(button));
            if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
              seen_.defaultButton = id;
            }
          }
          seen_.text = windowText(GetDlgItem(box, 0xFFFF));
          GUITHREADINFO info{};
          info.cbSize = sizeof info;
          GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
          answer(box, info.hwndFocus);
        }) {}
  ~BoxAnswerer() {
    if (thread_.joinable()) thread_.join();
  }
  const SeenBox& seen() {
    thread_.join();
    return seen_;
  }

 private:
  SeenBox seen_;
  std::thread thread_;
};

void click(HWND box, int id) {
  PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0);
}
void escape(HWND box, HWND) {
  PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

TEST(MessageBoxPrompts, SaveDiscardCancelWithAltKeysSaveTheDefault) {
  MessageBoxPrompts prompts;
  const struct {
    std::function<void(HWND, HWND)> answer;
    editor::SaveChoice expected;
  } cases[] = {
      {[](HWND box, HWND) { click(box, IDYES); }, editor::SaveChoice::Save},
      {[](HWND box, HWND) { click(box, IDNO); }, editor::SaveChoice::Discard},
      {escape, editor::SaveChoice::Cancel},
  };
  for (const auto& c : cases) {
    BoxAnswerer answerer(c.answer);
    EXPECT_EQ(prompts.askSaveChanges("Save changes to Team \xC3\xA9?"), c.expected);
    const SeenBox& seen = answerer.seen();
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Save", "&Discard", "&Cancel"}));
    EXPECT_EQ(seen.text, "Save changes to Team \xC3\xA9?");
    EXPECT_EQ(seen.defaultButton, IDYES);
  }
}

TEST(MessageBoxPrompts, ChangedTeamKeepsTheEditsByDefault) {
  MessageBoxPrompts prompts;
  const struct {
    std::function<void(HWND, HWND)> answer;
    editor::TeamChangedChoice expected;
  } cases[] = {
      {[](HWND box, HWND) { click(box, IDYES); }, editor::TeamChangedChoice::ReloadTeam},
      {[](HWND box, HWND) { click(box, IDNO); }, editor::TeamChangedChoice::Merge},
      {escape, editor::TeamChangedChoice::KeepEdits},
  };
  for (const auto& c : cases) {
    BoxAnswerer answerer(c.answer);
    EXPECT_EQ(prompts.askAboutChangedTeam("Changed"), c.expected);
    const SeenBox& seen = answerer.seen();
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Reload Team", "&Merge", "&Keep Edits"}));
    EXPECT_EQ(seen.defaultButton, IDCANCEL);
  }
}

TEST(MessageBoxPrompts, YesNoQuestionsAndTheirDefaults) {
  MessageBoxPrompts prompts;
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDNO); });
    EXPECT_EQ(prompts.askYesNo("Save current player?"), editor::Answer::No);
    EXPECT_EQ(answerer.seen().defaultButton, IDYES);
  }
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDYES); });
    EXPECT_EQ(prompts.askYesNoDefaultNo("Hide the players?"), editor::Answer::Yes);
    EXPECT_EQ(answerer.seen().defaultButton, IDNO);
  }
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDOK); });
    prompts.tell("Saved", editor::MessageIcon::Information);
    EXPECT_EQ(answerer.seen().buttons.size(), 1U);
  }
}

TEST(MessageBoxPrompts, AKeyHeldBeforeTheBoxOpenedNeitherMovesNorAnswers) {
  MessageBoxPrompts prompts;
  BoxAnswerer answerer([](HWND box, HWND focus) {
    // Repeats of Enter and Right that began before the box: bit 30 says the key was down.
    constexpr LPARAM kRepeat = 1 | (1L << 30);
    PostMessageW(focus, WM_KEYDOWN, VK_RIGHT, kRepeat);
    PostMessageW(focus, WM_KEYDOWN, VK_RETURN, kRepeat);
    Sleep(100);
    escape(box, focus);
  });
  EXPECT_EQ(prompts.askSaveChanges("Save changes?"), editor::SaveChoice::Cancel);
}

}  // namespace
}  // namespace zelbor::win32
