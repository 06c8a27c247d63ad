#include "input_rules.h"

#include "db/text_codec.h"

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

bool insertionAccepted(TextBox box, std::string_view inserted, std::string_view currentText) {
  if (keyFilter(box) == KeyFilter::None) return true;
  const db::Windows1252Text encoded = db::encodeWindows1252(inserted);
  // A character without a byte would be typed as "?", which no filter admits.
  if (!encoded.ok()) return false;
  std::string text(currentText);
  for (const db::Byte code : encoded.bytes) {
    if (!keyAccepted(box, code, text)) return false;
    text += static_cast<char>(code);
  }
  return true;
}

bool editable(TextBox box) {
  return box != TextBox::txtBatAvge && box != TextBox::txtBowlAvge;
}

}  // namespace zelbor::editor
