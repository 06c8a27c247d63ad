#include <windows.h>
// The trackbar messages need the Windows types first.
#include <commctrl.h>

#include <string>

#include "batch/batch_factors.h"
#include "db/win32_text.h"
#include "editor/batch_window_state.h"
#include "form_window.h"
#include "forms/batch_form.h"
#include "secondary_forms.h"

namespace zelbor::win32 {
namespace {

constexpr int kAbilityCount = 8;

// The slider and label of ability `ability` (0..7, batting first).
std::string sliderName(int ability) {
  return ability < 4 ? forms::arrayElement("sldBat", ability)
                     : forms::arrayElement("sldBowl", ability - 4);
}
std::string labelName(int ability) {
  return ability < 4 ? forms::arrayElement("lblBat", ability)
                     : forms::arrayElement("lblBowl", ability - 4);
}

void setText(HWND control, const std::string& text) {
  SetWindowTextW(control, db::wideFromUtf8(text).c_str());
}

// frmBatch: eight sliders set the percentage of each batting and bowling ability, an option
// chooses all teams or the current one, and "Process" runs the batch and closes the window.
// Closed any other way, nothing is processed.
class BatchWindow final : public FormWindow {
 public:
  BatchWindow(HWND owner, editor::Editor& editor, const std::string& teamName)
      : FormWindow(forms::batchForm(), owner), editor_(editor) {
    setText(control("optCurrent"), forms::currentTeamCaption(teamName));
    for (int ability = 0; ability < kAbilityCount; ++ability) {
      HWND slider = control(sliderName(ability));
      // The top is 100 %: the smallest value sits at the top, and Up moves towards it.
      SendMessageW(slider, TBM_SETRANGE, TRUE,
                   MAKELPARAM(batch::kSliderMinimum, batch::kSliderMaximum));
      SendMessageW(slider, TBM_SETPAGESIZE, 0, 10);
      // A tick every ten on both sides.
      SetWindowLongPtrW(slider, GWL_STYLE,
                        GetWindowLongPtrW(slider, GWL_STYLE) | TBS_BOTH | TBS_AUTOTICKS);
      SendMessageW(slider, TBM_SETTICFREQ, 10, 0);
      SendMessageW(slider, TBM_SETPOS, TRUE, batch::kSliderMinimum);
    }
    EnableWindow(control("cmdProcess"), state_.processEnabled() ? TRUE : FALSE);
  }

  bool processed() const { return processed_; }

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_VSCROLL && lParam != 0) {
      sliderMoved(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
      return 0;
    }
    return FormWindow::handle(message, wParam, lParam);
  }

  void sliderMoved(HWND slider, WORD code) {
    for (int ability = 0; ability < kAbilityCount; ++ability) {
      if (control(sliderName(ability)) != slider) continue;
      const int value = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
      // While dragging only the label follows; the factor takes the value where the slider
      // settles.
      setText(control(labelName(ability)), code == TB_THUMBTRACK
                                               ? batch::percentLabel(value)
                                               : state_.setSlider(ability, value));
      return;
    }
  }

  void controlCommand(std::string_view designName, WORD code) override {
    if (code != BN_CLICKED) return;
    if (designName == "cmdProcess") {
      editor_.cmdProcess_Click(state_);
      processed_ = true;
      close();
      return;
    }
    const std::pair<std::string_view, editor::BatchScope> options[] = {
        {"optAll", editor::BatchScope::AllTeams}, {"optCurrent", editor::BatchScope::CurrentTeam}};
    for (const auto& [option, scope] : options) {
      if (designName != option || SendMessageW(control(option), BM_GETCHECK, 0, 0) != BST_CHECKED) {
        continue;
      }
      state_.chooseScope(scope);
      EnableWindow(control("cmdProcess"), state_.processEnabled() ? TRUE : FALSE);
    }
  }

  editor::Editor& editor_;
  editor::BatchWindowState state_;
  bool processed_ = false;
};

}  // namespace

bool showBatchWindow(HWND owner, editor::Editor& editor, const std::string& teamName) {
  BatchWindow window(owner, editor, teamName);
  window.runModal();
  return window.processed();
}

}  // namespace zelbor::win32
