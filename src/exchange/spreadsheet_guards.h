#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/player_fields.h"

namespace zelbor::exchange {

// A spreadsheet that opens a CSV file and saves it again rewrites cells nobody touched. These
// tell such a rewriting from a user's edit, for a cell that differs from the stored value as
// `export` writes it (`stored`).

// `cell` is the number `stored` rounded to fewer significant digits ("-2.18E-15" for
// "-2.184714e-15", "0,13" for "0.125"), rounding half up or half to even.
bool isRoundedNumber(std::string_view cell, std::string_view stored);

// "#NAME?", "#VALUE!", "Err:501" and the other values a spreadsheet shows for a failed formula.
bool isSpreadsheetError(std::string_view cell);

// `cell` is `stored` written as UTF-8 and read as Windows-1252 or Latin-1, or the other way round.
bool isMisreadCharacterSet(std::string_view cell, std::string_view stored);

// What a spreadsheet made of the text `stored` when it wrote `cell` instead:
// - Date: `stored` has digits with "/", "-" or "." between them, and `cell` is a date in another
//   shape ("1979-12-17", "12/17/79" or "Dec 17, 1979" for "17/12/1979"; "06/27/26" or "6月27日"
//   for "6/27"; a time of day added) or the same numbers written again ("05/06/1990" for
//   "5/6/1990"). A date in the stored shape ("18/12/1979", "5/31") is an edit.
// - Number: `cell` is the number `stored` in another shape, in either decimal convention ("7" for
//   "007", "100000" for "1e5", "1234" for "1.234", "45,5" for "45.5"), or rounded to the digits a
//   spreadsheet keeps.
// - Trimmed: `cell` is `stored` without the blanks around it.
enum class Rereading { None, Date, Number, Trimmed };
Rereading rereadingOf(std::string_view cell, std::string_view stored);

// Why a text that a spreadsheet turned into a date or a number is refused, in either format.
inline constexpr std::string_view kRereadTextReason =
    "the spreadsheet read this text as a date or a number and rewrote it";

// Which rewritings an input may hold: none (JSON), a spreadsheet's error values (xlsx), or
// everything a spreadsheet does to CSV.
enum class InputGuards { None, ErrorValues, CsvRewriting };

// `stored` starts as a formula does ("=SUM(A1:A3)", "+1+1"), so the spreadsheet may have shown
// what it calculates instead.
bool isCalculatedFormula(std::string_view stored);

// What a cell that differs from the stored value means.
struct CellVerdict {
  bool unchanged = false;              // a rewriting of the stored value: keep it
  std::optional<std::string> refusal;  // a rewriting that must not be stored, with the reason
};

// `cell` is `stored` without its carriage returns, which spreadsheets drop from texts on saving.
bool isWithoutCarriageReturns(std::string_view cell, std::string_view stored);

CellVerdict judgeRewrittenCell(InputGuards guards, const db::PlayerField& field,
                               std::string_view cell, std::string_view stored);

}  // namespace zelbor::exchange
