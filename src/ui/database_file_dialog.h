#pragma once

#include <QString>
#include <QWidget>

#include "editor/main_view.h"

namespace zelbor::ui {

// The file-open dialog in which the user picks the database at start-up.
class DatabaseFileDialog final : public editor::FileDialog {
 public:
  std::string chooseDatabase(const std::string& initialFolder,
                             const editor::FileTypes& types) override;
};

// The types in the form the Qt dialog takes and shows: "Description (pattern pattern)", types
// separated by ";;".
QString qtFileFilter(const editor::FileTypes& types);

}  // namespace zelbor::ui
