#include "database_file_dialog.h"

namespace zelbor::win32 {

std::string DatabaseFileDialog::chooseDatabase(const std::string& initialFolder,
                                               const editor::FileTypes& types) {
  return chooseFileToOpen(owner_, {}, types, initialFolder);
}

}  // namespace zelbor::win32
