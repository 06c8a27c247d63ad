#pragma once

#include <QWidget>

#include "editor/exchange_windows.h"

namespace zelbor::ui {

// Search "Find Player...": a box ("txtFind") and the players of all teams matching what it holds
// ("lstMatches"), refreshed as the user types. Enter picks the highlighted match, the first one
// unless the user moved; Up and Down in the box move the highlight.
class FindPlayerDialog final : public editor::PlayerFinder {
 public:
  explicit FindPlayerDialog(QWidget* owner) : owner_(owner) {}

  std::optional<editor::PlayerMatch> choosePlayer(
      const std::function<std::vector<editor::PlayerMatch>(const std::string&)>& matches) override;

 private:
  QWidget* owner_;
};

}  // namespace zelbor::ui
