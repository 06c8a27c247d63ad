#include "spreadsheet_guards.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <vector>

#include "db/text_codec.h"

namespace zelbor::cli {
namespace {

// A decimal number as sign, significant digits without leading or trailing zeros, and the power
// of ten of the digit before the first: "-0.0250" is {true, "25", -1}.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;

  bool operator==(const Decimal&) const = default;
};

std::optional<Decimal> parseDecimal(std::string_view text) {
  Decimal number;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number.negative = text[i++] == '-';
  int pointShift = 0;
  bool seenPoint = false;
  bool seenDigit = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      seenDigit = true;
      if (number.digits.empty() && c == '0') {
        if (seenPoint) --pointShift;
        continue;
      }
      number.digits += c;
      if (!seenPoint) ++pointShift;
    } else {
      break;
    }
  }
  if (!seenDigit) return std::nullopt;
  int exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && text[i] == '+') ++i;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), exponent);
    if (error != std::errc{}) return std::nullopt;
    i = static_cast<std::size_t>(end - text.data());
  }
  if (i != text.size()) return std::nullopt;
  while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
  if (number.digits.empty()) return Decimal{};
  number.exponent = pointShift + exponent;
  return number;
}

// `number` rounded to `count` significant digits; `up` decides a tie.
Decimal rounded(Decimal number, std::size_t count, bool tiesUp) {
  if (number.digits.size() <= count) return number;
  const char next = number.digits[count];
  const bool tie = next == '5' && number.digits.size() == count + 1;
  const bool up = next > '5' || (next == '5' && (!tie || tiesUp));
  number.digits.resize(count);
  if (up) {
    std::size_t i = count;
    while (i > 0 && number.digits[i - 1] == '9') number.digits[--i] = '0';
    if (i == 0) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.exponent;
    } else {
      ++number.digits[i - 1];
    }
  }
  while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
  return number;
}

std::string latin1(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) text += db::utf8FromCodePoint(static_cast<unsigned char>(c));
  return text;
}

// Bytes read as UTF-8, each byte of a malformed sequence as U+FFFD.
std::string lossyUtf8(std::span<const db::Byte> bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size();) {
    const db::Byte lead = bytes[i];
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    bool valid = length > 0 && i + length <= bytes.size();
    for (std::size_t k = 1; valid && k < length; ++k) valid = (bytes[i + k] & 0xC0) == 0x80;
    // The codec also tells overlong forms and surrogates, which are malformed too.
    if (valid &&
        db::encodeWindows1252(std::string_view(reinterpret_cast<const char*>(&bytes[i]), length))
                .unencodable != U'\uFFFD') {
      text.append(reinterpret_cast<const char*>(&bytes[i]), length);
      i += length;
    } else {
      text += db::utf8FromCodePoint(U'\uFFFD');
      ++i;
    }
  }
  return text;
}

// "12/09/1985" as {12, 9, 1985} with the count of digits of the last; two or three numbers with
// one kind of separator.
struct DateParts {
  std::vector<int> numbers;
  std::size_t lastDigits = 0;
};

std::optional<DateParts> dateParts(std::string_view text) {
  DateParts parts;
  char separator = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (!parts.numbers.empty()) {
      if (separator == 0 && std::string_view("/-.").find(text[i]) != std::string_view::npos) {
        separator = text[i];
      }
      if (text[i] != separator) return std::nullopt;
      ++i;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), number);
    if (error != std::errc{} || number < 0) return std::nullopt;
    parts.lastDigits = static_cast<std::size_t>(end - (text.data() + i));
    parts.numbers.push_back(number);
    i = static_cast<std::size_t>(end - text.data());
  }
  if (parts.numbers.size() < 2 || parts.numbers.size() > 3) return std::nullopt;
  return parts;
}

bool isRereadDate(std::string_view cell, std::string_view stored) {
  const auto written = dateParts(cell);
  const auto original = dateParts(stored);
  if (!written || !original || written->numbers.size() != 3) return false;
  if (written->numbers[0] != original->numbers[0] || written->numbers[1] != original->numbers[1]) {
    return false;
  }
  // A day and month without a year are read as a date of the current year.
  if (original->numbers.size() == 2) return true;
  const int year = written->numbers[2];
  return year == original->numbers[2] ||
         (written->lastDigits <= 2 && year == original->numbers[2] % 100);
}

bool isRereadNumber(std::string_view cell, std::string_view stored) {
  const auto written = parseDecimal(cell);
  return written && written == parseDecimal(stored);
}

}  // namespace

bool isRoundedNumber(std::string_view cell, std::string_view stored) {
  const auto written = parseDecimal(cell);
  const auto original = parseDecimal(stored);
  if (!written || !original || original->digits.empty()) return false;
  for (std::size_t count = 1; count < original->digits.size(); ++count) {
    if (*written == rounded(*original, count, true) ||
        *written == rounded(*original, count, false)) {
      return true;
    }
  }
  return false;
}

bool isSpreadsheetError(std::string_view cell) {
  static constexpr std::array<std::string_view, 16> kErrors = {
      "#NULL!",    "#DIV/0!",   "#VALUE!",  "#REF!",        "#NAME?", "#NUM!",
      "#N/A",      "#SPILL!",   "#CALC!",   "#FIELD!",      "#BUSY!", "#BLOCKED!",
      "#CONNECT!", "#UNKNOWN!", "#PYTHON!", "#GETTING_DATA"};
  if (std::find(kErrors.begin(), kErrors.end(), cell) != kErrors.end()) return true;
  return cell.size() == 7 && cell.starts_with("Err:") &&
         std::all_of(cell.begin() + 4, cell.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

bool isMisreadCharacterSet(std::string_view cell, std::string_view stored) {
  if (cell == db::decodeWindows1252(db::bytesOf(stored)) || cell == latin1(stored)) return true;
  // Windows-1252 bytes that happen to be valid UTF-8 read as what a user typed to repair such
  // damage; a misreading shows as replacement characters.
  const db::Windows1252Text single = db::encodeWindows1252(stored);
  return single.ok() && cell.find("\uFFFD") != std::string_view::npos &&
         cell == lossyUtf8(single.bytes);
}

bool isRereadText(std::string_view cell, std::string_view stored) {
  const std::string kept = db::trimSpaces(stored);
  return cell == kept || isRereadDate(cell, kept) || isRereadNumber(cell, kept);
}

bool isCalculatedFormula(std::string_view stored) {
  return !stored.empty() && std::string_view("=+-@").find(stored.front()) != std::string_view::npos;
}

CellVerdict judgeRewrittenCell(InputGuards guards, const db::PlayerField& field,
                               std::string_view cell, std::string_view stored) {
  if (guards == InputGuards::None) return {};
  if (isSpreadsheetError(cell)) {
    return {false,
            "a spreadsheet error, not a value (a text starting with \"=\" is read as a "
            "formula); import the column as text or use xlsx"};
  }
  if (guards != InputGuards::CsvRewriting) return {};
  if (field.kind == db::FieldKind::Float32) return {isRoundedNumber(cell, stored), std::nullopt};
  if (field.kind != db::FieldKind::Text) return {};
  if (isMisreadCharacterSet(cell, stored)) {
    return {false, "read with the wrong character set; open the file as UTF-8"};
  }
  if (isCalculatedFormula(stored)) {
    return {false,
            "the spreadsheet calculated this text as a formula; import the column as text "
            "or use xlsx"};
  }
  if (isRereadText(cell, stored)) {
    return {false, std::string(kRereadTextReason) + "; import the column as text or use xlsx"};
  }
  return {};
}

bool isWithoutCarriageReturns(std::string_view cell, std::string_view stored) {
  if (stored.find('\r') == std::string_view::npos) return false;
  std::string kept(stored);
  std::erase(kept, '\r');
  return cell == kept;
}

}  // namespace zelbor::cli
