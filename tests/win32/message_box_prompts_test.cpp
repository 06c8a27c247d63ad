#include "win32/message_box_prompts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "box_answerer.h"

namespace zelbor::win32 {
namespace {

void escape(HWND box, HWND) {
  PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

// The questions with three answers: the first button, the second, or Escape, which answers as
// the third does.
TEST(MessageBoxPrompts, ThreeAnswerQuestionsWithAltKeysAndTheirDefaults) {
  MessageBoxPrompts prompts;
  const struct {
    std::function<int(const std::string&)> ask;  // the index of the answer
    std::vector<std::string> buttons;
    int defaultButton;
  } questions[] = {
      {[&](const std::string& text) { return static_cast<int>(prompts.askSaveChanges(text)); },
       {"&Save", "&Discard", "&Cancel"},
       IDYES},
      {[&](const std::string& text) { return static_cast<int>(prompts.askAboutChangedTeam(text)); },
       {"&Reload Team", "&Merge", "&Keep Edits"},
       IDCANCEL},
  };
  static_assert(static_cast<int>(editor::SaveChoice::Cancel) == 2 &&
                static_cast<int>(editor::TeamChangedChoice::KeepEdits) == 2);
  const std::function<void(HWND, HWND)> answers[] = {
      [](HWND box, HWND) { click(box, IDYES); },
      [](HWND box, HWND) { click(box, IDNO); },
      escape,
  };
  for (const auto& question : questions) {
    for (int answer = 0; answer < 3; ++answer) {
      BoxAnswerer answerer(answers[answer]);
      EXPECT_EQ(question.ask("Save changes to Team \xC3\xA9?"), answer);
      const SeenBox& seen = answerer.seen();
      EXPECT_EQ(seen.buttons, question.buttons);
      EXPECT_EQ(seen.text, "Save changes to Team \xC3\xA9?");
      EXPECT_EQ(seen.defaultButton, question.defaultButton);
    }
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
