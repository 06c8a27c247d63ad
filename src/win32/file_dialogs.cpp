#include "file_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "db/win32_text.h"
#include "held_keys.h"

namespace zelbor::win32 {
namespace {

constexpr DWORD kCommonFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;

// The extension of the filter's first pattern: "xlsx" of "Excel workbook|*.xlsx|...".
std::wstring firstExtension(std::string_view filter) {
  const std::size_t bar = filter.find('|');
  if (bar == std::string_view::npos) return {};
  std::string_view pattern = filter.substr(bar + 1);
  pattern = pattern.substr(0, pattern.find_first_of("|;"));
  const std::size_t dot = pattern.rfind('.');
  return dot == std::string_view::npos ? std::wstring() : db::wideFromUtf8(pattern.substr(dot + 1));
}

std::string runDialog(HWND owner, std::string_view title, std::string_view filter,
                      const std::string& initialFolder, DWORD flags, bool saving) {
  const std::wstring filterParts = dialogFilter(filter);
  const std::wstring wideTitle = db::wideFromUtf8(title);
  const std::wstring folder = db::wideFromUtf8(initialFolder);
  const std::wstring extension = firstExtension(filter);
  // Long enough for any path Windows can open.
  std::vector<wchar_t> path(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filterParts.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
  // With a default extension set, the dialog appends the chosen file type's.
  dialog.lpstrDefExt = saving && !extension.empty() ? extension.c_str() : nullptr;
  dialog.Flags = kCommonFlags | flags;
  const HeldKeyFilter held;
  const BOOL chosen = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  return chosen ? db::utf8FromWide(path.data()) : std::string();
}

}  // namespace

std::wstring dialogFilter(std::string_view filter) {
  std::wstring parts = db::wideFromUtf8(filter);
  for (wchar_t& character : parts) {
    if (character == L'|') character = L'\0';
  }
  parts.push_back(L'\0');
  parts.push_back(L'\0');
  return parts;
}

std::string chooseFileToOpen(HWND owner, std::string_view title, std::string_view filter,
                             const std::string& initialFolder) {
  return runDialog(owner, title, filter, initialFolder, OFN_FILEMUSTEXIST, false);
}

std::string chooseFileToSave(HWND owner, std::string_view title, std::string_view filter) {
  return runDialog(owner, title, filter, {}, OFN_OVERWRITEPROMPT, true);
}

}  // namespace zelbor::win32
