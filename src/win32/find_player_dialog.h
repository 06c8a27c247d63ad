#pragma once

#include <windows.h>

#include "editor/exchange_windows.h"

namespace zelbor::win32 {

// The ids of the find window's box and list of matches; its buttons are IDOK and IDCANCEL.
inline constexpr int kFindBoxId = 100;
inline constexpr int kMatchListId = 101;

// Search "Find Player...": a box and the players of all teams matching what it holds, refreshed
// as the user types. Enter picks the highlighted match, the first one unless the user moved; Up
// and Down in the box move the highlight.
class FindPlayerDialog final : public editor::PlayerFinder {
 public:
  explicit FindPlayerDialog(HWND owner) : owner_(owner) {}

  std::optional<editor::PlayerMatch> choosePlayer(
      const std::function<std::vector<editor::PlayerMatch>(const std::string&)>& matches) override;

 private:
  HWND owner_;
};

}  // namespace zelbor::win32
