#include "xlsx_writer.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

namespace zelbor::exchange {
namespace {

constexpr double kMinimumWidth = 6;
constexpr double kMaximumWidth = 40;
constexpr const char* kListsSheet = "Lists";

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

db::FileError workbookError(const std::string& path, const std::string& reason) {
  return {path, "Cannot write the workbook \"" + path + "\": " + reason + "."};
}

}  // namespace

db::Result<std::string> xlsxWorkbook(const SheetTable& table, const std::string& sheetName) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                     "/zelbor-db-XXXXXX.xlsx";
  const int descriptor = mkstemps(path.data(), 5);
  if (descriptor < 0) return workbookError(path, std::strerror(errno));
  close(descriptor);
  struct Remover {
    const std::string& path;
    ~Remover() { std::remove(path.c_str()); }
  } remover{path};

  lxw_workbook* workbook = workbook_new(path.c_str());
  if (workbook == nullptr) return workbookError(path, "the workbook could not be created");
  lxw_doc_properties properties{};
  properties.created = kCreationTime;
  workbook_set_properties(workbook, &properties);
  lxw_error error = fillWorkbook(workbook, table, sheetName);
  const lxw_error closed = workbook_close(workbook);
  if (error == LXW_NO_ERROR) error = closed;
  if (error != LXW_NO_ERROR) return workbookError(path, lxw_strerror(error));

  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) return workbookError(path, std::strerror(errno));
  return bytes.str();
}

}  // namespace zelbor::exchange
