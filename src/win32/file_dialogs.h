#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zelbor::win32 {

// The system's file dialogs, modal over `owner` (may be null), titled `title` (the system's title
// when empty), offering the file types of `filter` ("Description|pattern", patterns separated by
// ";"). The path chosen in UTF-8; empty on Cancel.

// An existing file, starting in `initialFolder` (the system's choice when empty).
std::string chooseFileToOpen(HWND owner, std::string_view title, std::string_view filter,
                             const std::string& initialFolder = {});
// A file to write: replacing one is asked first, and a name typed without an extension takes
// that of the file type chosen.
std::string chooseFileToSave(HWND owner, std::string_view title, std::string_view filter);

// "Description|pattern" as the file dialogs take a filter: each part ends with a null character,
// the list with a second one.
std::wstring dialogFilter(std::string_view filter);

}  // namespace zelbor::win32
