#pragma once

#include "editor/main_view.h"
#include "form_dialog.h"

namespace zelbor::ui {

// frmLineup: the current team's four stored lineups, one list each, for reading only. It has no
// button; the title bar closes it.
class LineupWindow final : public FormDialog {
 public:
  // The title names `teamName`, the team whose lineups are shown; Escape closes the window.
  LineupWindow(const QString& teamName, const editor::LineupLines& lines, QWidget* owner);
};

}  // namespace zelbor::ui
