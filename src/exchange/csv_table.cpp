#include "csv_table.h"

#include <array>

#include "db/byte_order.h"
#include "db/text_codec.h"

namespace zelbor::exchange {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// UTF-16 text without its byte order mark, as UTF-8; nothing for a lone surrogate or an odd
// number of bytes.
std::optional<std::string> utf8FromUtf16(std::string_view bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  const auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
  };
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    char32_t codePoint = unit(i);
    if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) return std::nullopt;
    if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
      if (i + 2 >= bytes.size()) return std::nullopt;
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    text += db::utf8FromCodePoint(codePoint);
  }
  return text;
}

struct DecodedText {
  std::string text;
  std::string encoding;
};

std::variant<DecodedText, std::string> decoded(std::string_view bytes) {
  for (const bool bigEndian : {false, true}) {
    const std::string_view mark = bigEndian ? kUtf16BigEndianMark : kUtf16LittleEndianMark;
    if (!bytes.starts_with(mark)) continue;
    auto text = utf8FromUtf16(bytes.substr(mark.size()), bigEndian);
    if (!text) return std::string("it starts as UTF-16 but is not valid UTF-16");
    return DecodedText{std::move(*text), "UTF-16"};
  }
  if (bytes.starts_with(kByteOrderMark)) {
    bytes.remove_prefix(kByteOrderMark.size());
    if (!db::isUtf8(bytes)) return std::string("it starts as UTF-8 but is not valid UTF-8");
    return DecodedText{std::string(bytes), "UTF-8"};
  }
  if (db::isUtf8(bytes)) return DecodedText{std::string(bytes), "UTF-8"};
  return DecodedText{db::decodeWindows1252(db::bytesOf(bytes)), "Windows-1252"};
}

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// The header line's separator: the one of comma, semicolon and tab it has most of outside
// quotes, a comma on a tie.
char separatorOf(std::string_view text) {
  constexpr std::array<char, 3> kSeparators = {',', ';', '\t'};
  std::array<int, kSeparators.size()> counts{};
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (isLineEnd(c)) break;
    for (std::size_t i = 0; i < kSeparators.size(); ++i) counts[i] += c == kSeparators[i];
  }
  std::size_t most = 0;
  for (std::size_t i = 1; i < counts.size(); ++i) {
    if (counts[i] > counts[most]) most = i;
  }
  return kSeparators[most];
}

class CsvParser {
 public:
  // Lines end as the first one does. In a text whose lines end in LF or CR LF, a lone CR is part
  // of its cell, as some spreadsheets write a stored CR without quoting the cell.
  CsvParser(std::string_view text, char separator)
      : text_(text), separator_(separator), loneReturnEndsLine_([text] {
          const std::size_t end = text.find_first_of("\r\n");
          return end != std::string_view::npos && text[end] == '\r' &&
                 (end + 1 == text.size() || text[end + 1] != '\n');
        }()) {}

  // The cells of the next line; false at the end of the text or on an error.
  bool nextRow(std::vector<std::string>& cells) {
    cells.clear();
    if (at_ >= text_.size()) return false;
    ++row_;
    while (true) {
      std::string cell;
      if (!readCell(cell)) return false;
      cells.push_back(std::move(cell));
      if (auto tooMany = cellLimitReason(row_, cells.size(), 0)) return fail(std::move(*tooMany));
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
      while (at_ < text_.size() && text_[at_] != separator_ && !endsLine(at_)) {
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
        if (at_ < text_.size() && text_[at_] != separator_ && !endsLine(at_)) {
          return fail("row " + std::to_string(row_) + ": text follows the closing quote of a cell");
        }
        return true;
      }
    }
    return fail("row " + std::to_string(firstRow) + ": a quoted cell is never closed");
  }

  bool endsLine(std::size_t at) const {
    if (text_[at] == '\n') return true;
    return text_[at] == '\r' &&
           (loneReturnEndsLine_ || (at + 1 < text_.size() && text_[at + 1] == '\n'));
  }

  bool fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

  std::string_view text_;
  char separator_;
  bool loneReturnEndsLine_;
  std::size_t at_ = 0;
  int row_ = 0;
  std::string error_;
};

}  // namespace

std::variant<CsvTable, std::string> readCsvTable(std::string_view bytes) {
  auto decoding = decoded(bytes);
  if (const auto* reason = std::get_if<std::string>(&decoding)) return *reason;
  DecodedText& input = std::get<DecodedText>(decoding);
  const std::string_view text = input.text;
  CsvTable result{{}, std::move(input.encoding), separatorOf(text)};
  CsvParser parser(text, result.separator);
  ImportTable& table = result.table;
  table.fromSheet = true;
  table.writtenAsShown = true;
  table.semicolonSeparated = result.separator == ';';
  std::vector<std::string> cells;
  if (!parser.nextRow(cells)) {
    if (!parser.error().empty()) return parser.error();
    return std::string("there is no header line");
  }
  for (std::string& name : cells) table.columns.push_back({std::move(name), 1});
  std::size_t allCells = cells.size();
  while (parser.nextRow(cells)) {
    allCells += cells.size();
    if (auto tooMany = cellLimitReason(parser.row(), cells.size(), allCells)) return *tooMany;
    if (cells.size() == 1 && cells[0].empty()) continue;  // a blank line
    ImportRow row{parser.row(), {}, {}, {}};
    for (std::string& cell : cells) {
      row.cells.push_back(cell.empty() ? std::nullopt : std::optional(std::move(cell)));
    }
    table.rows.push_back(std::move(row));
  }
  if (!parser.error().empty()) return parser.error();
  return result;
}

}  // namespace zelbor::exchange
