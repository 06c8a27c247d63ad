#include "spreadsheet_guards.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "db/text_codec.h"

namespace zelbor::exchange {
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

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// `text` read as a number written with `decimalPoint` before its decimals, its whole part perhaps
// grouped by thousands ("1,234.5", "1.234,5", "1 234", "1'234") and an exponent ("1,00E+05").
std::optional<Decimal> readNumber(std::string_view text, char decimalPoint) {
  static constexpr std::array<std::string_view, 6> kGroupSeparators = {",", ".",      " ",
                                                                       "'", "\u00A0", "\u202F"};
  std::string plain;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) plain += text[i++];
  std::string_view separator;
  std::size_t run = 0;  // digits since the last separator
  while (i < text.size()) {
    if (isDigit(text[i])) {
      plain += text[i++];
      ++run;
      continue;
    }
    const auto group =
        std::find_if(kGroupSeparators.begin(), kGroupSeparators.end(), [&](std::string_view s) {
          return s.front() != decimalPoint && text.substr(i).starts_with(s);
        });
    if (group == kGroupSeparators.end()) break;
    const bool first = separator.empty();
    if ((!first && *group != separator) || run == 0 || run > 3 || (!first && run != 3) ||
        (first && plain.back() == '0' && run == 1)) {
      return std::nullopt;
    }
    separator = *group;
    run = 0;
    i += group->size();
  }
  if (!separator.empty() && run != 3) return std::nullopt;
  if (i < text.size() && text[i] == decimalPoint) {
    plain += '.';
    ++i;
  }
  plain += text.substr(i);
  return parseDecimal(plain);
}

// The values `text` has as a number in the locales that write a decimal point and those that
// write a decimal comma.
std::array<std::optional<Decimal>, 2> numberReadings(std::string_view text) {
  return {readNumber(text, '.'), readNumber(text, ',')};
}

// The value of a number written in either convention, unless the two read it differently
// ("1,234").
std::optional<Decimal> unambiguousNumber(std::string_view text) {
  const auto [point, comma] = numberReadings(text);
  if (point && comma && point != comma) return std::nullopt;
  return point ? point : comma;
}

// `written` is `number` rounded to fewer significant digits, a tie rounded either way.
bool isRounding(const Decimal& written, const Decimal& number) {
  for (std::size_t count = 1; count < number.digits.size(); ++count) {
    if (written == rounded(number, count, true) || written == rounded(number, count, false)) {
      return true;
    }
  }
  return false;
}

// A spreadsheet keeps this many significant digits of a number.
constexpr std::size_t kSpreadsheetDigits = 15;

bool isRereadNumber(std::string_view cell, std::string_view stored) {
  for (const auto& written : numberReadings(cell)) {
    for (const auto& original : numberReadings(stored)) {
      if (written && original &&
          (written == original ||
           (original->digits.size() > kSpreadsheetDigits && isRounding(*written, *original)))) {
        return true;
      }
    }
  }
  return false;
}

// `cell` is `stored` read where a point groups thousands, as the spreadsheets of locales with a
// decimal comma do: "33408" for "33.408", "-51203887" for "-51203.887".
bool isPointReadAsGrouping(std::string_view cell, std::string_view stored) {
  const std::size_t point = stored.find('.');
  if (point == std::string_view::npos || stored.size() - point != 4) return false;
  const std::string_view decimals = stored.substr(point + 1);
  if (!std::all_of(decimals.begin(), decimals.end(), isDigit)) return false;
  const auto written = unambiguousNumber(cell);
  return written && written == parseDecimal(std::string(stored.substr(0, point)).append(decimals));
}

// Digits with "/", "-" or "." between them: a date, a fraction or a pair of figures ("17/12/1979",
// "6/27", "12.5").
bool hasDateShape(std::string_view text) {
  if (text.empty() || !isDigit(text.front()) || !isDigit(text.back())) return false;
  bool separated = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isDigit(text[i])) continue;
    if (std::string_view("/-.").find(text[i]) == std::string_view::npos || !isDigit(text[i + 1])) {
      return false;
    }
    separated = true;
  }
  return separated;
}

// "17/12/1979" as "n/n/y": the text with each day or month as "n" and each longer number as "y".
std::string shapeOf(std::string_view text) {
  std::string shape;
  for (std::size_t i = 0; i < text.size();) {
    if (!isDigit(text[i])) {
      shape += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && isDigit(text[end])) ++end;
    shape += end - i <= 2 ? 'n' : 'y';
    i = end;
  }
  return shape;
}

// The numbers in `text`, without their leading zeros: "05/06/1990" as {"5", "6", "1990"}.
std::vector<std::string_view> numbersOf(std::string_view text) {
  std::vector<std::string_view> numbers;
  for (std::size_t i = 0; i < text.size();) {
    if (!isDigit(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && isDigit(text[end])) ++end;
    while (i + 1 < end && text[i] == '0') ++i;
    numbers.push_back(text.substr(i, end - i));
    i = end;
  }
  return numbers;
}

// A time of day as "9:05", "09:05:00", "09:05:00.000" or "9:05 AM".
bool isTimeOfDay(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&](std::size_t least, std::size_t most) {
    std::size_t count = 0;
    while (i < text.size() && count < most && isDigit(text[i])) ++i, ++count;
    return count >= least;
  };
  const auto skip = [&](char c) { return i < text.size() && text[i] == c && ++i; };
  if (!digits(1, 2) || !skip(':') || !digits(2, 2)) return false;
  if (skip(':') && (!digits(2, 2) || ((skip('.') || skip(',')) && !digits(1, 9)))) return false;
  skip(' ');
  std::string rest(text.substr(i));
  for (char& c : rest) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return rest.empty() || rest == "AM" || rest == "PM";
}

// `text` without the time of day after its date ("17/12/1979 00:00", "1979-12-17T00:00:00");
// nothing for a text whose colon does not start one.
std::optional<std::string_view> withoutTimeOfDay(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return text;
  const std::size_t start = text.find_last_of(" T", colon);
  if (start == std::string_view::npos || !isTimeOfDay(text.substr(start + 1))) return std::nullopt;
  std::string_view date = text.substr(0, start);
  while (!date.empty() && (date.back() == ' ' || date.back() == ',')) date.remove_suffix(1);
  return date;
}

// The first letters of the months' names in the languages spreadsheets are commonly used in,
// lower case.
bool isMonthName(std::string word) {
  static constexpr std::array<std::string_view, 36> kStems = {
      "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec",
      "jän", "mär", "mai", "okt", "dez", "fév", "avr", "jui", "aoû", "déc", "ene", "abr",
      "ago", "dic", "gen", "mag", "giu", "lug", "set", "ott", "fev", "out", "maa", "mei"};
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (word.size() > 12) return false;
  return std::any_of(kStems.begin(), kStems.end(),
                     [&](std::string_view stem) { return word.starts_with(stem); });
}

// The markers of dates written in Chinese, Japanese and Korean: year, month, day.
constexpr std::array<std::string_view, 6> kDateMarkers = {"年", "月", "日", "년", "월", "일"};

// The length of the date marker at `i`, or 0.
std::size_t dateMarkerAt(std::string_view text, std::size_t i) {
  for (const std::string_view marker : kDateMarkers) {
    if (text.substr(i).starts_with(marker)) return marker.size();
  }
  return 0;
}

// An ASCII letter or a byte of another character that is not a date marker.
bool isLetter(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  return c >= 0x80 ? dateMarkerAt(text, i) == 0 : std::isalpha(c) != 0;
}

struct DateNumber {
  int value = 0;
  std::size_t digits = 0;
};

bool isDay(const DateNumber& n) {
  return n.digits <= 2 && n.value >= 1 && n.value <= 31;
}
bool isMonth(const DateNumber& n) {
  return n.digits <= 2 && n.value >= 1 && n.value <= 12;
}
bool isYear(const DateNumber& n) {
  return n.digits == 2 || n.digits == 4;
}
bool isLongYear(const DateNumber& n) {
  return n.digits == 4;
}

// Numbers of a date without a month's name, in any order a locale writes them.
bool isNumericDate(const std::vector<DateNumber>& n) {
  if (n.size() == 2) {
    return (isDay(n[0]) && isMonth(n[1])) || (isMonth(n[0]) && isDay(n[1])) ||
           (isLongYear(n[0]) && isMonth(n[1])) || (isMonth(n[0]) && isLongYear(n[1]));
  }
  return n.size() == 3 &&
         ((n[0].digits >= 3 && isMonth(n[1]) && isDay(n[2])) ||
          (isYear(n[2]) && ((isDay(n[0]) && isMonth(n[1])) || (isMonth(n[0]) && isDay(n[1])))));
}

// Numbers around a month's name: a day, a year or both, in either order.
bool isNamedMonthDate(const std::vector<DateNumber>& n) {
  if (n.size() == 1) return isDay(n[0]) || isYear(n[0]);
  return n.size() == 2 && ((isDay(n[0]) && isYear(n[1])) || (isYear(n[0]) && isDay(n[1])));
}

// `text` is a date as a spreadsheet in some locale writes one, perhaps with a time of day:
// numbers with one separator ("1979/12/17", "17.12.79", "6/27/2026"), with the markers of East
// Asian dates ("6月27日"), or around a month's name ("17-Dec-1979", "Dec 17, 1979", "17. Dez.").
bool isWrittenDate(std::string_view text) {
  const std::optional<std::string_view> date = withoutTimeOfDay(text);
  if (!date || date->empty()) return false;
  std::vector<DateNumber> numbers;
  std::vector<std::string_view> separators;  // after each part
  std::size_t words = 0;
  bool namedMonth = false;
  bool afterPart = false;
  for (std::size_t i = 0; i < date->size();) {
    std::size_t end = i;
    const bool part = isDigit((*date)[i]) || isLetter(*date, i);
    if (part && afterPart) return false;  // "17Dec"
    afterPart = part;
    if (isDigit((*date)[i])) {
      while (end < date->size() && isDigit((*date)[end])) ++end;
      const auto [_, error] =
          std::from_chars(date->data() + i, date->data() + end, numbers.emplace_back().value);
      if (error != std::errc{}) return false;
      numbers.back().digits = end - i;
    } else if (isLetter(*date, i)) {
      while (end < date->size() && isLetter(*date, end)) ++end;
      ++words;
      namedMonth = isMonthName(std::string(date->substr(i, end - i)));
    } else if (i == 0) {
      return false;
    } else {
      while (end < date->size() && !isDigit((*date)[end]) && !isLetter(*date, end)) {
        end += std::max<std::size_t>(dateMarkerAt(*date, end), 1);
      }
      separators.push_back(date->substr(i, end - i));
    }
    i = end;
  }
  const std::size_t parts = numbers.size() + words;
  const std::string_view trailing =
      separators.size() == parts ? separators.back() : std::string_view();
  const auto between = std::span(separators).first(parts - 1);
  if (words == 1) {
    return namedMonth && isNamedMonthDate(numbers) && (trailing.empty() || trailing == ".") &&
           std::all_of(between.begin(), between.end(), [](std::string_view s) {
             return s.size() <= 3 && s.find_first_not_of(" -.,/") == std::string_view::npos;
           });
  }
  if (words != 0 || !isNumericDate(numbers)) return false;
  std::string marks;
  for (const std::string_view s : separators) {
    for (const char c : s) {
      if (c != ' ') marks += c;
    }
  }
  if (marks == "年月日" || marks == "月日" || marks == "년월일" || marks == "월일") return true;
  const bool oneKind = std::all_of(between.begin(), between.end(), [&](std::string_view s) {
    return s == between.front() && (s == "/" || s == "-" || s == "." || s == ". ");
  });
  return oneKind && (trailing.empty() || (trailing == "." && between.front().front() == '.'));
}

// `cell` is a date written in place of the date-like `stored`: in another shape, or the same
// numbers written again ("05/06/1990" for "5/6/1990").
bool isRewrittenDate(std::string_view cell, std::string_view stored) {
  return hasDateShape(stored) && isWrittenDate(cell) &&
         (shapeOf(cell) != shapeOf(stored) || numbersOf(cell) == numbersOf(stored));
}

}  // namespace

bool isRoundedNumber(std::string_view cell, std::string_view stored) {
  const auto written = unambiguousNumber(cell);
  const auto original = parseDecimal(stored);
  return written && original && isRounding(*written, *original);
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

Rereading rereadingOf(std::string_view cell, std::string_view stored) {
  const std::string kept = db::trimSpaces(stored);
  if (cell == kept) return kept == stored ? Rereading::None : Rereading::Trimmed;
  if (isRewrittenDate(cell, kept)) return Rereading::Date;
  if (isRereadNumber(cell, kept) || isPointReadAsGrouping(cell, kept)) return Rereading::Number;
  return Rereading::None;
}

bool isCalculatedFormula(std::string_view stored) {
  return !stored.empty() && std::string_view("=+-@").find(stored.front()) != std::string_view::npos;
}

namespace {

// CR LF and a lone CR as LF.
std::string withLineFeeds(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

// An average: the same number, perhaps cut to the digits the spreadsheet showed, or a decimal
// point read as a thousands separator.
CellVerdict judgeAverage(std::string_view cell, std::string_view stored,
                         const CellArrival& arrival) {
  std::string edit(cell);
  if (arrival.decimalComma && decimalMarkOf(cell) == ',') std::ranges::replace(edit, ',', '.');
  if (isPointReadAsGrouping(cell, stored)) {
    return {false,
            "the spreadsheet read the decimal point as a thousands separator (the database holds "
            "\"" + std::string(stored) +
                "\"); open the CSV file with \".\" as the decimal separator or use xlsx",
            {}};
  }
  const auto written = arrival.decimalComma ? parseDecimal(edit) : unambiguousNumber(cell);
  const auto original = parseDecimal(stored);
  if (written && original &&
      (written == original || (arrival.asShown && isRounding(*written, *original)))) {
    return {true, std::nullopt, {}};
  }
  return {false, std::nullopt, std::move(edit)};
}

CellVerdict judgeText(std::string_view cell, std::string_view stored, const CellArrival& arrival) {
  const auto refused = [](std::string reason) { return CellVerdict{false, std::move(reason), {}}; };
  const std::string advice = arrival.asShown ? "; import the column as text or use xlsx"
                                             : "; export again and keep the column as text";
  if (arrival.asFormula || (arrival.asShown && isCalculatedFormula(stored))) {
    return refused("the spreadsheet calculated this text as a formula" + advice);
  }
  switch (rereadingOf(cell, stored)) {
    case Rereading::Date:
      return refused("the spreadsheet rewrote this cell as a date (the database holds \"" +
                     std::string(stored) + "\", and an edit keeps that form)" + advice);
    case Rereading::Number:
      return refused("the spreadsheet rewrote this cell as a number (the database holds \"" +
                     std::string(stored) + "\")" + advice);
    case Rereading::Trimmed:
      return refused("the spreadsheet dropped the blanks around this text" + advice);
    case Rereading::None:
      break;
  }
  if (arrival.asNumber) {
    return refused(std::string(kRereadTextReason) +
                   "; format the column as text and type the text again");
  }
  return {false, std::nullopt, std::string(cell)};
}

// `stored` as a workbook holds it: control characters other than tab and line feed written
// "_x000D_", which some programs keep as text instead of reading.
std::string withWorkbookEscapes(std::string_view stored) {
  std::string out;
  for (const char c : stored) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\n') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "_x%04X_", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

bool hasRewrittenLineEnds(std::string_view cell, std::string_view stored) {
  if (stored.find('\r') == std::string_view::npos) return false;
  std::string withoutReturns(stored);
  std::erase(withoutReturns, '\r');
  return cell == withoutReturns || cell == withLineFeeds(stored);
}

std::optional<char> decimalMarkOf(std::string_view cell) {
  const std::size_t mark = cell.find_first_of(".,");
  if (mark == std::string_view::npos || cell.find_first_of(".,", mark + 1) != std::string_view::npos ||
      mark == 0 || !isDigit(cell[mark - 1]) || mark + 1 >= cell.size() || !isDigit(cell[mark + 1])) {
    return std::nullopt;
  }
  std::string pointed(cell);
  pointed[mark] = '.';
  if (!parseDecimal(pointed)) return std::nullopt;
  return cell[mark];
}

CellVerdict judgeCell(const db::PlayerField& field, std::string_view cell, std::string_view stored,
                      const CellArrival& arrival) {
  if (cell == stored) return {true, std::nullopt, {}};
  if (field.kind == db::FieldKind::Text) {
    if (hasRewrittenLineEnds(cell, stored) ||
        (arrival.fromSheet && cell == withWorkbookEscapes(stored))) {
      return {true, std::nullopt, {}};
    }
    if (isMisreadCharacterSet(cell, stored)) {
      return {false, "read with the wrong character set; open the file as UTF-8", {}};
    }
  }
  if (!arrival.fromSheet) return {false, std::nullopt, std::string(cell)};
  if (isSpreadsheetError(cell)) {
    return {false,
            "a spreadsheet error, not a value (a text starting with \"=\" is read as a "
            "formula); import the column as text or use xlsx",
            {}};
  }
  if (field.kind == db::FieldKind::Float32) return judgeAverage(cell, stored, arrival);
  if (field.kind == db::FieldKind::Text) return judgeText(cell, stored, arrival);
  return {false, std::nullopt, std::string(cell)};
}

}  // namespace zelbor::exchange
