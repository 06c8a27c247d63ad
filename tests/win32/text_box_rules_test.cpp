#include "win32/text_box_rules.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "db/win32_text.h"

namespace zelbor::win32 {
namespace {

using editor::TextBox;

// A real edit control with the rules of `box`, in a hidden top-level window.
class TextBoxRulesTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  HWND edit(TextBox box, const std::string& text = "") {
    HWND control = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0,
                                   150, 20, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(control, nullptr);
    applyTextBoxRules(control, box);
    setTextFromEditor(control, text);
    return control;
  }

  static void type(HWND control, std::wstring_view typed) {
    for (const wchar_t unit : typed) SendMessageW(control, WM_CHAR, unit, 1);
  }

  static void paste(HWND control, const std::wstring& text) {
    copy(control, text);
    SendMessageW(control, WM_PASTE, 0, 0);
  }

  static void copy(HWND control, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(control));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
  }

  HWND window_ = nullptr;
};

// The text of the refusal tooltip on screen, or "" when none shows.
std::string shownRefusal() {
  std::wstring shown;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (std::wstring_view(className) != TOOLTIPS_CLASSW || !IsWindowVisible(window)) {
          return TRUE;
        }
        wchar_t text[512] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        SendMessageW(window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
        tool.lpszText = text;
        SendMessageW(window, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
        *reinterpret_cast<std::wstring*>(found) = text;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&shown));
  return db::utf8FromWide(shown);
}

TEST_F(TextBoxRulesTest, TypedCharactersPassTheBoxsKeyFilter) {
  const struct {
    TextBox box;
    const char* before;
    const wchar_t* typed;
    const char* after;
  } cases[] = {
      {editor::txtBat(0), "", L"7a-5", "75"},
      {editor::txtBat(0), "", L"123", "12"},  // two digits at most
      {TextBox::txtDOB, "", L"12/x3", "12/3"},
      {TextBox::txtRealName, "", L"Zo\u00E9", "Zo\xC3\xA9"},
      {TextBox::txtRealName, "", L"\u0141", ""},          // no byte in the code page
      {TextBox::txtRealName, "", L"a\xD83D\xDE00", "a"},  // an emoji, two halves
      {editor::txtStats(0), "150", L"\b", "15"},
  };
  for (const auto& c : cases) {
    HWND control = edit(c.box, c.before);
    SendMessageW(control, EM_SETSEL, 0x7FFF, 0x7FFF);
    type(control, c.typed);
    EXPECT_EQ(editText(control), c.after) << db::utf8FromWide(c.typed);
  }
}

TEST_F(TextBoxRulesTest, PastedTextIsTakenOrRefusedWhole) {
  const struct {
    TextBox box;
    const char* before;
    std::wstring pasted;
    const char* after;
  } cases[] = {
      {editor::txtStats(2), "", L"-50", ""},
      {editor::txtStats(2), "", L"1234567", ""},
      {editor::txtStats(2), "", L"  75 ", "75"},
      {editor::txtBat(0), "", L"300", ""},
      {editor::txtBat(0), "", L"99", "99"},
      {TextBox::txtRealName, "", std::wstring(41, L'a'), ""},
      {TextBox::txtRealName, "", L"Smith \u0141", ""},
      {TextBox::txtRealName, "", L"Smith", "Smith"},
  };
  for (const auto& c : cases) {
    HWND control = edit(c.box, c.before);
    paste(control, c.pasted);
    EXPECT_EQ(editText(control), c.after) << db::utf8FromWide(c.pasted);
  }
}

TEST_F(TextBoxRulesTest, RefusalsShowTheRulesWordsUntilTheNextKey) {
  ShowWindow(window_, SW_SHOW);
  const struct {
    TextBox box;
    std::wstring typed;
    std::wstring pasted;
    const char* refusal;
  } cases[] = {
      {editor::txtStats(0), L"1234", L"",
       "\"Mat.\" holds at most 3 characters, so \"4\" was not inserted."},
      {TextBox::txtRealName, L"", L"Ohm \u03A9",
       "\"Name\" cannot hold the character \"\u03A9\": the game's database stores only "
       "Western European (Windows-1252) characters."},
  };
  for (const auto& c : cases) {
    HWND control = edit(c.box);
    SetFocus(control);
    type(control, c.typed);
    if (!c.pasted.empty()) paste(control, c.pasted);
    EXPECT_EQ(shownRefusal(), c.refusal);
    // The next key hides it.
    type(control, L"\b");
    EXPECT_EQ(shownRefusal(), "");
  }
  // A filtered key says nothing, as in the other editor; losing the focus hides a refusal.
  HWND control = edit(editor::txtStats(0), "12");
  SetFocus(control);
  type(control, L"x");
  EXPECT_EQ(shownRefusal(), "");
  type(control, L"34");
  EXPECT_NE(shownRefusal(), "");
  SetFocus(window_);
  EXPECT_EQ(shownRefusal(), "");
}

TEST_F(TextBoxRulesTest, CtrlVPastesThroughTheSameRules) {
  HWND control = edit(editor::txtStats(2), "1");
  SendMessageW(control, EM_SETSEL, 0, 1);
  copy(control, L"-50");
  SendMessageW(control, WM_CHAR, 0x16, 1);
  EXPECT_EQ(editText(control), "1");
  copy(control, L" 75");
  SendMessageW(control, WM_CHAR, 0x16, 1);
  EXPECT_EQ(editText(control), "75");
}

TEST_F(TextBoxRulesTest, TextFromTheEditorIsShownWholeAndStaysEditable) {
  // An ability of 150 is longer than typing may make it; deleting from it is still taken.
  HWND control = edit(editor::txtBat(0), "150");
  EXPECT_EQ(editText(control), "150");
  SendMessageW(control, EM_SETSEL, 3, 3);
  type(control, L"\b");
  EXPECT_EQ(editText(control), "15");
}

TEST_F(TextBoxRulesTest, AveragesAreReadOnly) {
  HWND control = edit(TextBox::txtBatAvge, "4.5");
  EXPECT_NE(GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY, 0);
  EXPECT_EQ(GetWindowLongPtrW(edit(editor::txtBat(0)), GWL_STYLE) & ES_READONLY, 0);
}

}  // namespace
}  // namespace zelbor::win32
