#pragma once

#include <string>

#include "editor/main_view.h"

namespace zelbor::win32 {

// Opens addresses in the user's default browser.
class ShellBrowser final : public editor::Browser {
 public:
  [[nodiscard]] bool open(const std::string& address) override;
};

}  // namespace zelbor::win32
