// Temporary stand-ins until the batch, file hash and lineup windows land.
#include "secondary_forms.h"

namespace zelbor::win32 {

void showFileHashWindow(HWND, const std::string&) {}
void showLineupWindow(HWND, const std::string&, const editor::LineupLines&) {}
bool showBatchWindow(HWND, editor::Editor&, const std::string&) {
  return false;
}

}  // namespace zelbor::win32
