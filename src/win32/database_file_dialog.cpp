#include "database_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "db/win32_text.h"

namespace zelbor::win32 {

std::wstring dialogFilter(const std::string& filter) {
  std::wstring parts = db::wideFromUtf8(filter);
  for (wchar_t& character : parts) {
    if (character == L'|') character = L'\0';
  }
  parts.push_back(L'\0');
  parts.push_back(L'\0');
  return parts;
}

std::string DatabaseFileDialog::chooseDatabase(const std::string& initialFolder,
                                               const std::string& filter) {
  const std::wstring filterParts = dialogFilter(filter);
  const std::wstring folder = db::wideFromUtf8(initialFolder);
  // Long enough for any path Windows can open.
  std::vector<wchar_t> path(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filterParts.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return {};
  return db::utf8FromWide(path.data());
}

}  // namespace zelbor::win32
