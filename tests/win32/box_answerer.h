#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "db/win32_text.h"
#include "dialog_waiter.h"

namespace zelbor::win32 {

// What the message box looked like while it was open.
struct SeenBox {
  std::string text;
  std::vector<std::string> buttons;  // the captions of IDYES, IDNO, IDCANCEL, IDOK where present
  int defaultButton = 0;
};

inline std::string windowText(HWND window) {
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
          HWND box = waitForDialog(L"Zelbor Player Editor");
          if (box == nullptr) return;
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

inline void click(HWND box, int id) {
  PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0);
}

}  // namespace zelbor::win32
