#include "csv_table.h"

namespace zelbor::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// The header line's separator: a semicolon when it has more of them than commas outside quotes.
char separatorOf(std::string_view text) {
  int commas = 0;
  int semicolons = 0;
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (isLineEnd(c)) break;
    commas += c == ',';
    semicolons += c == ';';
  }
  return semicolons > commas ? ';' : ',';
}

class CsvParser {
 public:
  CsvParser(std::string_view text, char separator) : text_(text), separator_(separator) {}

  // The cells of the next line; false at the end of the text or on an error.
  bool nextRow(std::vector<std::string>& cells) {
    cells.clear();
    if (at_ >= text_.size()) return false;
    ++row_;
    while (true) {
      std::string cell;
      if (!readCell(cell)) return false;
      cells.push_back(std::move(cell));
      if (at_ >= text_.size()) return true;
      const char c = text_[at_++];
      if (c == separator_) continue;
      if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') ++at_;
      return true;
    }
  }

  int row() const { return row_; }
  const std::string& error() const { return error_; }

 private:
  bool readCell(std::string& cell) {
    if (at_ >= text_.size() || text_[at_] != '"') {
      while (at_ < text_.size() && text_[at_] != separator_ && !isLineEnd(text_[at_])) {
        cell += text_[at_++];
      }
      return true;
    }
    const int firstRow = row_;
    for (++at_; at_ < text_.size(); ++at_) {
      if (text_[at_] != '"') {
        cell += text_[at_];
      } else if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
        cell += '"';
        ++at_;
      } else {
        ++at_;
        if (at_ < text_.size() && text_[at_] != separator_ && !isLineEnd(text_[at_])) {
          return fail("row " + std::to_string(row_) + ": text follows the closing quote of a cell");
        }
        return true;
      }
    }
    return fail("row " + std::to_string(firstRow) + ": a quoted cell is never closed");
  }

  bool fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

  std::string_view text_;
  char separator_;
  std::size_t at_ = 0;
  int row_ = 0;
  std::string error_;
};

}  // namespace

std::variant<ImportTable, std::string> readCsvTable(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  CsvParser parser(text, separatorOf(text));
  ImportTable table;
  std::vector<std::string> cells;
  if (!parser.nextRow(cells)) {
    if (!parser.error().empty()) return parser.error();
    return std::string("there is no header line");
  }
  for (std::string& name : cells) table.columns.push_back({std::move(name), 1});
  while (parser.nextRow(cells)) {
    if (cells.size() == 1 && cells[0].empty()) continue;  // a blank line
    ImportRow row{parser.row(), {}};
    for (std::string& cell : cells) {
      row.cells.push_back(cell.empty() ? std::nullopt : std::optional(std::move(cell)));
    }
    table.rows.push_back(std::move(row));
  }
  if (!parser.error().empty()) return parser.error();
  return table;
}

}  // namespace zelbor::cli
