#include "win32/find_player_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "caption_fit.h"
#include "db/win32_text.h"
#include "dialog_waiter.h"
#include "forms/exchange_texts.h"

namespace zelbor::win32 {
namespace {

const std::vector<editor::PlayerMatch> kPlayers = {
    {1, 3, "Australia", "Dan Archer"},
    {5, 12, "England", "Ann \u00C4rger"},
    {9, 1, "India", "Ravi Shan"},
};

// The players whose name holds `text`, as the editor's search would list them.
std::vector<editor::PlayerMatch> containing(const std::string& text) {
  std::vector<editor::PlayerMatch> found;
  for (const editor::PlayerMatch& player : kPlayers) {
    if (player.name.find(text) != std::string::npos) found.push_back(player);
  }
  return found;
}

// The list's entries and the highlighted one while the window is open.
struct SeenList {
  std::vector<std::string> entries;
  int highlighted = -1;
  bool goEnabled = false;
};

SeenList look(HWND window) {
  SeenList seen;
  HWND list = GetDlgItem(window, kMatchListId);
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    seen.entries.push_back(db::utf8FromWide(text));
  }
  seen.highlighted = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  seen.goEnabled = IsWindowEnabled(GetDlgItem(window, IDOK)) != FALSE;
  return seen;
}

void type(HWND box, std::wstring_view text) {
  for (const wchar_t character : text) SendMessageW(box, WM_CHAR, character, 1);
}

void press(HWND control, WPARAM key) {
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 1 | (3UL << 30));
}

HWND waitForFindWindow() {
  return waitForDialog(db::wideFromUtf8(forms::exchange_texts::kFindTitle).c_str());
}

TEST(FindPlayerDialog, ListsMatchesAsTextIsTypedAndEnterPicksTheHighlightedOne) {
  FindPlayerDialog dialog(nullptr);
  std::vector<std::string> asked;
  const auto matches = [&](const std::string& text) {
    asked.push_back(text);
    return containing(text);
  };
  std::vector<SeenList> seen;
  std::thread user([&] {
    HWND window = waitForFindWindow();
    ASSERT_NE(window, nullptr);
    HWND box = GetDlgItem(window, kFindBoxId);
    // Typing goes to the box from the start.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    EXPECT_EQ(info.hwndFocus, box);
    wchar_t caption[64] = {};
    GetDlgItemTextW(window, IDOK, caption, 64);
    EXPECT_EQ(db::utf8FromWide(caption), "&Go to Player");
    EXPECT_TRUE(captionFits(GetDlgItem(window, IDOK)));
    seen.push_back(look(window));
    type(box, L"a");
    seen.push_back(look(window));
    type(box, L"n");
    seen.push_back(look(window));
    // Down in the box moves the highlight, Enter picks it.
    press(box, VK_DOWN);
    Sleep(100);
    seen.push_back(look(window));
    press(box, VK_RETURN);
  });
  const std::optional<editor::PlayerMatch> picked = dialog.choosePlayer(matches);
  user.join();

  EXPECT_EQ(asked, (std::vector<std::string>{"", "a", "an"}));
  ASSERT_EQ(seen.size(), 4U);
  EXPECT_EQ(seen[0].entries,
            (std::vector<std::string>{"Dan Archer \u2014 Australia",
                                      "Ann \u00C4rger \u2014 England", "Ravi Shan \u2014 India"}));
  EXPECT_EQ(seen[1].entries,
            (std::vector<std::string>{"Dan Archer \u2014 Australia", "Ravi Shan \u2014 India"}));
  EXPECT_EQ(seen[2].entries,
            (std::vector<std::string>{"Dan Archer \u2014 Australia", "Ravi Shan \u2014 India"}));
  EXPECT_EQ(seen[2].highlighted, 0);
  EXPECT_EQ(seen[3].highlighted, 1);
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(picked->team, 9);
  EXPECT_EQ(picked->slot, 1);
}

TEST(FindPlayerDialog, TextBeyondAsciiReachesTheSearchAndNoMatchCannotBePicked) {
  FindPlayerDialog dialog(nullptr);
  std::vector<std::string> asked;
  SeenList noMatch;
  SeenList oneMatch;
  bool stayedOpenOnEnter = false;
  std::thread user([&] {
    HWND window = waitForFindWindow();
    ASSERT_NE(window, nullptr);
    HWND box = GetDlgItem(window, kFindBoxId);
    SetWindowTextW(box, L"\u00C4");
    oneMatch = look(window);
    type(box, L"x");
    noMatch = look(window);
    press(box, VK_RETURN);
    Sleep(200);
    stayedOpenOnEnter = IsWindow(window) != FALSE;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  const auto matches = [&](const std::string& text) {
    asked.push_back(text);
    return containing(text);
  };
  EXPECT_EQ(dialog.choosePlayer(matches), std::nullopt);
  user.join();
  EXPECT_EQ(asked.at(1), "\u00C4");
  EXPECT_EQ(oneMatch.entries, std::vector<std::string>{"Ann \u00C4rger \u2014 England"});
  EXPECT_TRUE(oneMatch.goEnabled);
  EXPECT_EQ(noMatch.entries,
            std::vector<std::string>{"No player's name contains \"x\u00C4\"."});
  EXPECT_EQ(noMatch.highlighted, LB_ERR);
  EXPECT_FALSE(noMatch.goEnabled);
  EXPECT_TRUE(stayedOpenOnEnter);
}

}  // namespace
}  // namespace zelbor::win32
