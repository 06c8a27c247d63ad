#include "player_form.h"

#include <algorithm>
#include <limits>

#include "db/text_codec.h"
#include "display_format.h"
#include "number_reading.h"

namespace zelbor::editor {
namespace {

// The field behind each control, listed once for both directions.

template <class Record, class Visit>
void visitTextBoxes(Record& r, Visit&& visit) {
  visit(TextBox::txtRealName, r.realName);
  visit(TextBox::txtDOB, r.dateOfBirth);
  visit(TextBox::txtBestBatODI, r.bestBattingODI);
  visit(TextBox::txtBestBowlODI, r.bestBowlingODI);
}

template <class Record, class Visit>
void visitByteBoxes(Record& r, Visit&& visit) {
  for (int k = 1; k <= 4; ++k) visit(txtShirt(k), r.shirtNumbers[k - 1]);
  for (int i = 0; i < 4; ++i) visit(txtBat(i), r.battingAbilities[i]);
  for (int i = 0; i < 4; ++i) visit(txtBowl(i), r.bowlingAbilities[i]);
  for (int i = 0; i < 5; ++i) visit(txtField(i), r.fieldingAbilities[i]);
  visit(TextBox::txtNOs, r.notOutsODI);
  visit(TextBox::txtTons, r.hundredsODI);
  visit(TextBox::txtHalfs, r.fiftiesODI);
}

template <class Record, class Visit>
void visitInt16Boxes(Record& r, Visit&& visit) {
  visit(txtStats(0), r.matchesODI);
  visit(txtStats(1), r.inningsODI);
  visit(txtStats(2), r.runsODI);
  visit(txtStats(3), r.ballsBowledODI);
  visit(txtStats(4), r.wicketsODI);
  visit(txtStats(5), r.runsConcededODI);
}

template <class Record, class Visit>
void visitByteLists(Record& r, Visit&& visit) {
  visit(ListBox::cboRole, r.role);
  visit(ListBox::cboBatHand, r.battingHand);
  visit(ListBox::cboBowlHand, r.bowlingHand);
  visit(ListBox::cboBowlStyle, r.bowlStyle);
  visit(ListBox::cboBowlAction, r.bowlAction);
  visit(ListBox::cboSunscreen, r.sunscreen);
  visit(ListBox::cboGlasses, r.glasses);
  visit(ListBox::cboHat, r.hat);
  visit(ListBox::cboHelmet, r.helmet);
  visit(ListBox::cboBat, r.realBat);
  visit(ListBox::cboCaptain, r.defaultCaptain);
  visit(ListBox::cboEverBowls, r.everBowls);
  visit(ListBox::cboKit1, r.kit1);
  visit(ListBox::cboKit2, r.kit2);
  visit(ListBox::cboKit3, r.kit3);
  visit(ListBox::cboKit4, r.kit4);
  visit(ListBox::cboGuard, r.armGuard);
}

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string trimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Collects every refusal.
class Storing {
 public:
  explicit Storing(const PlayerForm& form) : form_(form) {}

  template <std::size_t N>
  void text(TextBox box, db::Bytes<N>& field) {
    const db::Windows1252Text encoded = db::encodeWindows1252(trimSpaces(form_.text(box)));
    if (!encoded.ok()) {
      return refuse(box, quoted(caption(box)) + " cannot hold the character " +
                             quoted(db::utf8FromCodePoint(*encoded.unencodable)) +
                             ": the game's database stores only Western European "
                             "(Windows-1252) characters.");
    }
    if (encoded.bytes.size() > N) {
      return refuse(
          box, quoted(caption(box)) + " holds more than " + std::to_string(N) + " characters.");
    }
    field.fill(0);
    std::ranges::copy(encoded.bytes, field.begin());
  }

  template <class Number>
  void number(TextBox box, Number& field) {
    constexpr int minimum = std::numeric_limits<Number>::min();
    constexpr int maximum = std::numeric_limits<Number>::max();
    const std::optional<int> value = readWholeNumber(form_.text(box), minimum, maximum);
    if (!value) {
      return refuse(box, quoted(caption(box)) + " holds " + quoted(form_.text(box)) +
                             "; it takes a whole number from " + std::to_string(minimum) + " to " +
                             std::to_string(maximum) + ".");
    }
    field = static_cast<Number>(*value);
  }

  void selection(ListBox list, std::uint8_t& field) {
    const int selected = form_.selection(list);
    if (selected < 0) return;  // a stored value without an item stays as it is
    if (selected > std::numeric_limits<std::uint8_t>::max()) {
      return refuse(list,
                    quoted(caption(list)) + " can store only the first 256 items of its list.");
    }
    field = static_cast<std::uint8_t>(selected);
  }

  void face(std::int16_t& field) {
    const int selected = form_.selection(ListBox::cboFace);
    if (selected >= 0) field = static_cast<std::int16_t>(selected);
  }

  const std::vector<StoreRefusal>& refusals() const { return refusals_; }

 private:
  void refuse(Control control, std::string message) {
    refusals_.push_back(StoreRefusal{control, std::move(message)});
  }

  const PlayerForm& form_;
  std::vector<StoreRefusal> refusals_;
};

}  // namespace

PlayerForm formFromRecord(const db::PlayerRecord& record, std::string_view decimalSeparator) {
  PlayerForm form;
  form.selections.fill(-1);
  visitTextBoxes(
      record, [&](TextBox box, const auto& field) { form.text(box) = db::decodeUpToNul(field); });
  visitByteBoxes(record,
                 [&](TextBox box, std::uint8_t field) { form.text(box) = std::to_string(field); });
  visitInt16Boxes(record,
                  [&](TextBox box, std::int16_t field) { form.text(box) = std::to_string(field); });
  form.text(TextBox::txtBatAvge) = formatAverage(record.battingAverageODI, decimalSeparator);
  form.text(TextBox::txtBowlAvge) = formatAverage(record.bowlingAverageODI, decimalSeparator);
  visitByteLists(record, [&](ListBox list, std::uint8_t field) { form.selection(list) = field; });
  form.selection(ListBox::cboFace) = record.realFace;
  return form;
}

std::variant<db::PlayerRecord, std::vector<StoreRefusal>> storeForm(const PlayerForm& form,
                                                                    db::PlayerRecord stored) {
  Storing storing(form);
  visitTextBoxes(stored, [&](TextBox box, auto& field) { storing.text(box, field); });
  visitByteBoxes(stored, [&](TextBox box, std::uint8_t& field) { storing.number(box, field); });
  visitInt16Boxes(stored, [&](TextBox box, std::int16_t& field) { storing.number(box, field); });
  visitByteLists(stored,
                 [&](ListBox list, std::uint8_t& field) { storing.selection(list, field); });
  storing.face(stored.realFace);
  if (!storing.refusals().empty()) return storing.refusals();
  stored.spoofName = stored.realName;
  stored.spoofFace = stored.realFace;
  stored.spoofBat = stored.realBat;
  return stored;
}

}  // namespace zelbor::editor
