#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "editor/file_types.h"

namespace zelbor::win32 {

// The system's file dialogs, modal over `owner` (may be null), titled `title` (the system's title
// when empty), offering `types` in order. The path chosen in UTF-8; empty on Cancel.

// An existing file, starting in `initialFolder` (the system's choice when empty).
std::string chooseFileToOpen(HWND owner, std::string_view title, const editor::FileTypes& types,
                             const std::string& initialFolder = {});
// A file to write: a name typed without an extension takes that of the file type chosen. The
// caller asks about replacing a file, once it knows the file is not the open database.
std::string chooseFileToSave(HWND owner, std::string_view title, const editor::FileTypes& types);

// The types as the file dialogs take a filter: each description, showing its patterns, and its
// patterns end with a null character, the list with a second one.
std::wstring dialogFilter(const editor::FileTypes& types);

}  // namespace zelbor::win32
