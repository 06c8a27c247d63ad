#include "lineup_window.h"

#include <QListWidget>
#include <array>

namespace zelbor::ui {
namespace {

constexpr std::array<const char*, 4> kListNames = {"lstWC", "lstCT", "lstODI", "lstTest"};

// The lists first: they take the tab order's first places.
std::vector<ControlSpec> lineupWindowLayout() {
  using enum ControlKind;
  constexpr std::array<const char*, 4> kCaptions = {"World Cup", "Champions Trophy",
                                                    "One Day International", "Test Match"};
  constexpr std::array<int, 4> kLefts = {120, 2400, 4680, 6960};
  std::vector<ControlSpec> layout;
  for (int i = 0; i < 4; ++i) {
    layout.push_back({kListNames[i], "", ListBox, "", {kLefts[i], 480, 2175, 3180}});
  }
  for (int i = 0; i < 4; ++i) {
    layout.push_back(
        {arrayElement("Label1", i), "", Label, kCaptions[i], {kLefts[i], 240, 2175, 255}});
  }
  return layout;
}

}  // namespace

LineupWindow::LineupWindow(const QString& teamName, const editor::LineupLines& lines,
                           QWidget* owner)
    : FormDialog("frmLineup", QStringLiteral("Team Lineups - ") + teamName, 9255, 3870,
                 lineupWindowLayout(), owner) {
  for (std::size_t i = 0; i < kListNames.size(); ++i) {
    auto* list = control<QListWidget>(kListNames[i]);
    for (const std::string& line : lines[i]) list->addItem(QString::fromStdString(line));
  }
}

}  // namespace zelbor::ui
