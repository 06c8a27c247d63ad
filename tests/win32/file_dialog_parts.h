#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zelbor::win32 {

// The file name box and the file type list of the system's file dialogs.
inline constexpr int kFileNameBox = 0x47C;
inline constexpr int kFileTypeList = 0x470;

// A new folder in the temporary folder, `name` followed by ids of this run: no dialog knows it
// from an earlier one.
inline std::wstring newTempFolder(std::wstring_view name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + std::wstring(name) + L" " +
                              std::to_wstring(GetCurrentProcessId()) + L" " +
                              std::to_wstring(GetTickCount64());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace zelbor::win32
