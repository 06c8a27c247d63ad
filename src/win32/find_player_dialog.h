#pragma once

#include <windows.h>

#include "editor/exchange_windows.h"

namespace zelbor::win32 {

// Temporary stand-in until the find window lands: the search is cancelled.
class FindPlayerDialog final : public editor::PlayerFinder {
 public:
  explicit FindPlayerDialog(HWND) {}
  std::optional<editor::PlayerMatch> choosePlayer(
      const std::function<std::vector<editor::PlayerMatch>(const std::string&)>&) override {
    return std::nullopt;
  }
};

}  // namespace zelbor::win32
