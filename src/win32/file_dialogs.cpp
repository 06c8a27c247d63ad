#include "file_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "db/win32_text.h"
#include "held_keys.h"

namespace zelbor::win32 {
namespace {

constexpr DWORD kCommonFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;

// The extension of the first type's first pattern: "xlsx" of "*.xlsx".
std::wstring firstExtension(const editor::FileTypes& types) {
  if (types.empty() || types.front().patterns.empty()) return {};
  const std::string& pattern = types.front().patterns.front();
  const std::size_t dot = pattern.rfind('.');
  return dot == std::string::npos ? std::wstring() : db::wideFromUtf8(pattern.substr(dot + 1));
}

std::string runDialog(HWND owner, std::string_view title, const editor::FileTypes& types,
                      const std::string& initialFolder, DWORD flags, bool saving) {
  const std::wstring filterParts = dialogFilter(types);
  const std::wstring wideTitle = db::wideFromUtf8(title);
  const std::wstring folder = db::wideFromUtf8(initialFolder);
  const std::wstring extension = firstExtension(types);
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

std::wstring dialogFilter(const editor::FileTypes& types) {
  std::wstring parts;
  for (const editor::FileType& type : types) {
    parts += db::wideFromUtf8(editor::shownType(type, ";"));
    parts.push_back(L'\0');
    parts += db::wideFromUtf8(editor::joinedPatterns(type, ";"));
    parts.push_back(L'\0');
  }
  parts.push_back(L'\0');
  return parts;
}

std::string chooseFileToOpen(HWND owner, std::string_view title, const editor::FileTypes& types,
                             const std::string& initialFolder) {
  return runDialog(owner, title, types, initialFolder, OFN_FILEMUSTEXIST, false);
}

std::string chooseFileToSave(HWND owner, std::string_view title, const editor::FileTypes& types) {
  return runDialog(owner, title, types, {}, 0, true);
}

}  // namespace zelbor::win32
