#include <string>

#include "db/win32_text.h"
#include "form_window.h"
#include "forms/lineup_form.h"
#include "secondary_forms.h"

namespace zelbor::win32 {
namespace {

// frmLineup: the team's four stored lineups, one list each, for reading only. It has no button;
// the title bar and Escape close it.
class LineupWindow final : public FormWindow {
 public:
  LineupWindow(HWND owner, const std::string& teamName, const editor::LineupLines& lines)
      : FormWindow(forms::lineupForm(), owner, teamName) {
    for (std::size_t i = 0; i < forms::kLineupListNames.size(); ++i) {
      HWND list = control(forms::kLineupListNames[i]);
      for (const std::string& line : lines[i]) {
        SendMessageW(list, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(db::wideFromUtf8(line).c_str()));
      }
    }
  }
};

}  // namespace

void showLineupWindow(HWND owner, const std::string& teamName, const editor::LineupLines& lines) {
  LineupWindow(owner, teamName, lines).runModal();
}

}  // namespace zelbor::win32
