// Help "About".
#include "editor.h"
#include "messages.h"
#include "version.h"

namespace zelbor::editor {

void Editor::mnuAbout_Click() {
  prompts_.tell("Zelbor Player Editor " + std::string(kVersion) + "\r\n" +
                    std::string(messages::kLicence) + "\r\n\r\nList files and faces read from \"" +
                    environment_.programFolder.utf8() + "\".",
                MessageIcon::Information);
}

}  // namespace zelbor::editor
