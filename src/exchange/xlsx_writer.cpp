#include "xlsx_writer.h"

#include <xlsxwriter.h>
#ifdef _WIN32
#include <windows.h>

#include "db/win32_text.h"
#endif

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>

#include "db/new_file.h"
#include "db/path_in_folder.h"
#include "db/temporary_folder.h"
#include "db/whole_file.h"

namespace zelbor::exchange {
namespace {

constexpr double kMinimumWidth = 6;
constexpr double kMaximumWidth = 40;
constexpr const char* kListsSheet = "Lists";
// Far above any players' table: all players of a database make some 200 KB.
constexpr std::uint64_t kWorkbookSizeLimit = 256 << 20;

// A fixed creation time keeps the same table's workbook the same bytes.
constexpr std::time_t kCreationTime = 946684800;  // 2000-01-01

std::size_t codePoints(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string numberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.16G", value);
  return text;
}

std::size_t shownLength(const SheetCell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return codePoints(*text);
  if (const auto* number = std::get_if<double>(&cell)) return numberText(*number).size();
  return 0;
}

// The library writes characters XML cannot hold as "_x0001_", as readers expect, but leaves a
// text that already looks like such an escape as it is, so it would be read back changed.
std::string escapedText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool looksEscaped =
        text.compare(i, 2, "_x") == 0 && i + 7 <= text.size() && text[i + 6] == '_' &&
        std::all_of(text.begin() + i + 2, text.begin() + i + 6,
                    [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    out += looksEscaped ? "_x005F" : "";
    out += text[i];
  }
  return out;
}

lxw_error writeText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const std::string& text,
                    lxw_format* format) {
  return worksheet_write_string(sheet, row, col, escapedText(text).c_str(), format);
}

double columnWidth(const SheetTable& table, std::size_t column) {
  std::size_t longest = codePoints(table.columns[column].header);
  for (const auto& row : table.rows) longest = std::max(longest, shownLength(row[column]));
  return std::clamp(static_cast<double>(longest) + 2, kMinimumWidth, kMaximumWidth);
}

// "A".."Z", "AA".. for a column counted from 0.
std::string columnLetters(std::size_t column) {
  std::string letters;
  for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return letters;
}

// Fills the workbook; returns the first library error.
lxw_error fillWorkbook(lxw_workbook* workbook, const SheetTable& table,
                       const std::string& sheetName) {
  lxw_worksheet* players = workbook_add_worksheet(workbook, sheetName.c_str());
  if (players == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
  lxw_format* header = workbook_add_format(workbook);
  format_set_bold(header);
  lxw_format* text = workbook_add_format(workbook);
  format_set_num_format(text, "@");

  const auto rowCount = static_cast<lxw_row_t>(table.rows.size());
  lxw_worksheet* lists = nullptr;
  lxw_col_t listColumn = 0;
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const SheetColumn& column = table.columns[c];
    const auto col = static_cast<lxw_col_t>(c);
    lxw_format* format = column.text ? text : nullptr;
    if (lxw_error e = worksheet_set_column(players, col, col, columnWidth(table, c), format))
      return e;
    if (lxw_error e = writeText(players, 0, col, column.header, header)) return e;
    for (lxw_row_t r = 0; r < rowCount; ++r) {
      const SheetCell& cell = table.rows[r][c];
      lxw_error e = LXW_NO_ERROR;
      if (const auto* value = std::get_if<std::string>(&cell)) {
        e = writeText(players, r + 1, col, *value, format);
      } else if (const auto* number = std::get_if<double>(&cell)) {
        e = worksheet_write_number(players, r + 1, col, *number, format);
      }
      if (e) return e;
    }
    if (column.listItems.empty() || rowCount == 0) continue;

    if (lists == nullptr) lists = workbook_add_worksheet(workbook, kListsSheet);
    if (lists == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (lxw_error e = writeText(lists, 0, listColumn, column.header, header)) return e;
    for (std::size_t i = 0; i < column.listItems.size(); ++i) {
      const auto row = static_cast<lxw_row_t>(i + 1);
      if (lxw_error e = writeText(lists, row, listColumn, column.listItems[i], text)) return e;
    }
    const std::string letters = columnLetters(listColumn);
    std::string source = std::string("=") + kListsSheet + "!$" + letters + "$2:$" + letters + "$" +
                         std::to_string(column.listItems.size() + 1);
    lxw_data_validation validation{};
    validation.validate = LXW_VALIDATION_TYPE_LIST_FORMULA;
    validation.value_formula = source.data();
    if (lxw_error e = worksheet_data_validation_range(players, 1, col, rowCount, col, &validation))
      return e;
    ++listColumn;
  }
  worksheet_freeze_panes(players, 1, 0);
  return LXW_NO_ERROR;
}

db::FileError workbookError(const db::Path& path, const std::string& reason) {
  return {path.utf8(), "Cannot write the workbook \"" + path.utf8() + "\": " + reason + "."};
}

#ifdef _WIN32
// MinGW's libxlsxwriter opens its file with fopen, which reads the name in the ANSI code page: a
// folder the code page cannot spell is given by its short name, and a name still unspelt is none.
std::string libraryPath(const db::Path& path) {
  const auto ansi = [](const std::wstring& wide) -> std::string {
    BOOL unspelt = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1,
                                           nullptr, 0, nullptr, &unspelt);
    if (length <= 0 || unspelt) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, text.data(), length,
                        nullptr, nullptr);
    text.pop_back();
    return text;
  };
  const std::wstring wide = db::wideFromUtf8(path.utf8());
  if (std::string spelt = ansi(wide); !spelt.empty()) return spelt;
  const std::size_t separator = wide.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  const std::wstring folder = wide.substr(0, separator);
  std::wstring shortFolder(MAX_PATH + 1, L'\0');
  const DWORD length = GetShortPathNameW(folder.c_str(), shortFolder.data(), MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  shortFolder.resize(length);
  return ansi(shortFolder + wide.substr(separator));
}
#else
std::string libraryPath(const db::Path& path) { return path.utf8(); }
#endif

// The library writes the workbook into a file of its own naming: `scratch`, made through the file
// system first so that it is new and ours.
db::Result<void> writeWorkbook(const db::Path& scratch, const SheetTable& table,
                               const std::string& sheetName) {
  const std::string name = libraryPath(scratch);
  if (name.empty()) {
    return workbookError(scratch, "the xlsx library cannot open a file of that name");
  }
  lxw_workbook* workbook = workbook_new(name.c_str());
  if (workbook == nullptr) return workbookError(scratch, "the workbook could not be created");
  lxw_doc_properties properties{};
  properties.created = kCreationTime;
  workbook_set_properties(workbook, &properties);
  lxw_error error = fillWorkbook(workbook, table, sheetName);
  const lxw_error closed = workbook_close(workbook);
  if (error == LXW_NO_ERROR) error = closed;
  if (error != LXW_NO_ERROR) return workbookError(scratch, lxw_strerror(error));
  return {};
}

}  // namespace

db::Result<std::string> xlsxWorkbook(db::FileSystem& fileSystem, const SheetTable& table,
                                     const std::string& sheetName) {
  const db::Path scratch =
      db::temporaryName(db::pathInFolder(db::temporaryFolder(), "zelbor-workbook"), ".xlsx");
  auto created = fileSystem.createNew(scratch, {});
  if (!created) return created.error();
  if (db::Result<void> closed = created.value()->close(); !closed) {
    (void)fileSystem.remove(scratch);
    return closed.error();
  }
  const db::Result<void> written = writeWorkbook(scratch, table, sheetName);
  db::Result<std::vector<db::Byte>> bytes =
      written ? db::readWholeFile(fileSystem, scratch, kWorkbookSizeLimit, "the workbook")
              : db::Result<std::vector<db::Byte>>(written.error());
  const db::Result<void> removed = fileSystem.remove(scratch);
  if (!bytes) return bytes.error();
  // A work file left behind is an error too: nothing of ours stays in the user's folders.
  if (!removed) return removed.error();
  return std::string(bytes.value().begin(), bytes.value().end());
}

}  // namespace zelbor::exchange
