#pragma once

#include <windows.h>

#include <string>

#include "editor/editor.h"
#include "editor/main_view.h"

namespace zelbor::win32 {
void showFileHashWindow(HWND owner, const std::string& hash);
void showLineupWindow(HWND owner, const std::string& teamName, const editor::LineupLines& lines);
// The batch window, modal; true when "Process" closed it (also when the user then declined).
bool showBatchWindow(HWND owner, editor::Editor& editor, const std::string& teamName);
}  // namespace zelbor::win32
