#include "lineup_window.h"

#include <QListWidget>

#include "forms/lineup_form.h"

namespace zelbor::ui {

LineupWindow::LineupWindow(const QString& teamName, const editor::LineupLines& lines,
                           QWidget* owner)
    : FormDialog(forms::lineupForm(), owner, teamName) {
  for (std::size_t i = 0; i < forms::kLineupListNames.size(); ++i) {
    auto* list = control<QListWidget>(forms::kLineupListNames[i]);
    for (const std::string& line : lines[i]) list->addItem(QString::fromStdString(line));
  }
}

}  // namespace zelbor::ui
