#pragma once

#include "editor/main_view.h"

namespace zelbor::ui {

// Opens addresses in the user's default web browser; no shell sees the address.
class DesktopBrowser final : public editor::Browser {
 public:
  bool open(const std::string& address) override;
};

}  // namespace zelbor::ui
