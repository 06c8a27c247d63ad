#pragma once

#include <QString>
#include <QWidget>
#include <string_view>

#include "editor/main_view.h"

namespace zelbor::ui {

// The file-open dialog in which the user picks the database at start-up.
class DatabaseFileDialog final : public editor::FileDialog {
 public:
  std::string chooseDatabase(const std::string& initialFolder, const std::string& filter) override;
};

// A filter written as "Description|pattern", pairs separated by "|" and patterns by ";", in the
// form the Qt dialog takes: "Description (pattern)", pairs separated by ";;".
QString qtFileFilter(std::string_view filter);

}  // namespace zelbor::ui
