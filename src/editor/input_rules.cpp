#include "input_rules.h"

#include <algorithm>
#include <optional>

#include "db/player_fields.h"
#include "db/text_codec.h"
#include "exchange/control_characters.h"
#include "player_form.h"

namespace zelbor::editor {
namespace {

constexpr int kControlCodeLimit = 32;

bool isDigit(int code) {
  return code >= '0' && code <= '9';
}

// All comparisons are on the signed code.
bool digitFilter(int code) {
  return code <= kControlCodeLimit || isDigit(code);
}

bool dateFilter(int code) {
  return code <= kControlCodeLimit || isDigit(code) || code == '/';
}

bool averageFilter(int code, std::string_view currentText) {
  // A second "." is refused wherever the caret is, even when the first is selected.
  if (code == '.' && currentText.find('.') != std::string_view::npos) return false;
  return code <= kControlCodeLimit || isDigit(code) || code == '.';
}

std::size_t characterCount(std::string_view utf8) {
  return static_cast<std::size_t>(std::ranges::count_if(
      utf8, [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

// Spaces, tabs and line ends: a cell copied from a spreadsheet ends with one.
std::string_view trimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return text;
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view filterPhrase(KeyFilter filter) {
  switch (filter) {
    case KeyFilter::Date:
      return "takes only the digits 0 to 9 and \"/\"";
    case KeyFilter::Average:
      return "takes only the digits 0 to 9 and one \".\"";
    default:
      break;
  }
  return "takes only the digits 0 to 9";
}

// Whether each character passes the box's key filter, typed in turn after `currentText`.
bool passesKeyFilter(TextBox box, std::span<const db::Byte> codes, std::string_view currentText) {
  std::string text(currentText);
  for (const db::Byte code : codes) {
    if (!keyAccepted(box, code, text)) return false;
    text += static_cast<char>(code);
  }
  return true;
}

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

KeyFilter keyFilter(TextBox box) {
  switch (box) {
    case TextBox::txtRealName:
    case TextBox::txtBestBatODI:
    case TextBox::txtBestBowlODI:
      return KeyFilter::None;
    case TextBox::txtDOB:
      return KeyFilter::Date;
    case TextBox::txtBatAvge:
    case TextBox::txtBowlAvge:
      return KeyFilter::Average;
    default:
      return KeyFilter::Digits;
  }
}

int greatestLength(TextBox box) {
  if (isAbilityBox(box)) return 2;
  switch (box) {
    case TextBox::txtRealName:
      return 32;
    case TextBox::txtDOB:
      return 16;
    case TextBox::txtBestBatODI:
    case TextBox::txtBestBowlODI:
      return 100;
    case TextBox::txtNOs:
    case TextBox::txtTons:
    case TextBox::txtHalfs:
      return 3;
    default:
      break;
  }
  if (box == txtStats(2) || box == txtStats(3) || box == txtStats(5)) return 5;
  if (box >= txtStats(0) && box <= txtStats(5)) return 3;
  return 0;  // txtShirt(1..4), txtBatAvge, txtBowlAvge
}

int keyCode(char32_t character) {
  const db::Windows1252Text encoded = db::encodeWindows1252(db::utf8FromCodePoint(character));
  return encoded.ok() && encoded.bytes.size() == 1 ? encoded.bytes[0] : '?';
}

bool keyAccepted(TextBox box, int code, std::string_view currentText) {
  switch (keyFilter(box)) {
    case KeyFilter::None:
      return true;
    case KeyFilter::Digits:
      return digitFilter(code);
    case KeyFilter::Date:
      return dateFilter(code);
    case KeyFilter::Average:
      return averageFilter(code, currentText);
  }
  return true;
}

Insertion checkInsertion(TextBox box, std::string_view inserted, std::string_view currentText,
                         std::size_t keptLength) {
  const KeyFilter filter = keyFilter(box);
  Insertion insertion{std::string(filter == KeyFilter::None ? inserted : trimBlanks(inserted)), {}};
  if (insertion.text.empty()) return insertion;
  const auto refuse = [&](const std::string& why) {
    insertion.refusal =
        quoted(caption(box)) + " " + why + ", so " + quoted(inserted) + " was not inserted.";
    return insertion;
  };
  // A tab or line break inside what remains would go into the name list and the file; every box
  // holds one line.
  if (const std::optional<std::string> reason = exchange::controlCharacterReason(insertion.text)) {
    insertion.refusal = quoted(caption(box)) + " " + *reason + ".";
    return insertion;
  }
  const db::Windows1252Text encoded = db::encodeWindows1252(insertion.text);
  // A character without a byte would be typed as "?", which no key filter admits.
  if (filter != KeyFilter::None &&
      (!encoded.ok() || !passesKeyFilter(box, encoded.bytes, currentText))) {
    return refuse(std::string(filterPhrase(filter)));
  }
  if (!encoded.ok()) {
    // Worded as the save words it.
    const auto field = std::ranges::find_if(controlFields(), [&](const ControlField& control) {
      return control.control == Control(box);
    });
    insertion.refusal =
        quoted(caption(box)) + " " + *db::refusalReason(*field->field, insertion.text) + ".";
    return insertion;
  }
  const std::size_t greatest = static_cast<std::size_t>(greatestLength(box));
  if (greatest > 0 &&
      keptLength + encoded.bytes.size() > std::max(greatest, characterCount(currentText))) {
    return refuse("holds at most " + std::to_string(greatest) + " characters");
  }
  return insertion;
}

bool editable(TextBox box) {
  return box != TextBox::txtBatAvge && box != TextBox::txtBowlAvge;
}

}  // namespace zelbor::editor
