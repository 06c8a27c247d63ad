#include "database_file_dialog.h"

namespace zelbor::win32 {

std::string DatabaseFileDialog::chooseDatabase(const std::string& initialFolder,
                                               const std::string& filter) {
  return chooseFileToOpen(owner_, {}, filter, initialFolder);
}

}  // namespace zelbor::win32
