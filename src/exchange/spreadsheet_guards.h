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

// `stored` starts as a formula does ("=SUM(A1:A3)", "+1+1"), so the spreadsheet may have shown
// what it calculates instead.
bool isCalculatedFormula(std::string_view stored);

// How a container delivered a cell: it only tells, and `judgeCell` decides what that means.
struct CellArrival {
  // A sheet's cell (CSV, xlsx), which a spreadsheet may have rewritten; a JSON value is taken as
  // it is written, but for its character set and line ends.
  bool fromSheet = false;
  bool asNumber = false;   // a workbook stores the cell as a number, not as a text
  bool asFormula = false;  // a workbook's cell holds a formula; the text is its calculated value
  // The cell is a text a spreadsheet wrote as it shows it (CSV): numbers may be cut to fewer
  // digits, and formulas were calculated on opening.
  bool asShown = false;
  bool decimalComma = false;  // the file writes its averages with a decimal comma
};

// What an incoming cell means against the stored value as `export` writes it (`stored`).
struct CellVerdict {
  bool unchanged = false;              // the stored value, perhaps as a spreadsheet rewrote it
  std::optional<std::string> refusal;  // a rewriting that must not be stored, with the reason
  std::string edit;                    // otherwise the value to read: the cell, with a point
                                       // for its decimal comma
};

// The one judgement of every incoming cell, whatever the container.
CellVerdict judgeCell(const db::PlayerField& field, std::string_view cell, std::string_view stored,
                      const CellArrival& arrival);

// `cell` is `stored` with the line ends a spreadsheet rewrites on saving: carriage returns lost,
// or CR and CR LF turned into LF.
bool hasRewrittenLineEnds(std::string_view cell, std::string_view stored);

// The decimal mark of a cell written as a number with decimals ("33.408", "-2,18E-15"); none for
// a whole number or a text.
std::optional<char> decimalMarkOf(std::string_view cell);

}  // namespace zelbor::exchange
