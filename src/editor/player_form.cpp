#include "player_form.h"

#include "db/player_fields.h"
#include "db/text_codec.h"
#include "display_format.h"
#include "number_reading.h"

namespace zelbor::editor {
namespace {

// The field behind each control and its rules, listed once for both directions.

template <class Record, class Visit>
void visitTextBoxes(Record& r, Visit&& visit) {
  visit(TextBox::txtRealName, r.realName, db::playerField("realName"));
  visit(TextBox::txtDOB, r.dateOfBirth, db::playerField("dateOfBirth"));
  visit(TextBox::txtBestBatODI, r.bestBattingODI, db::playerField("bestBattingODI"));
  visit(TextBox::txtBestBowlODI, r.bestBowlingODI, db::playerField("bestBowlingODI"));
}

template <class Record, class Visit>
void visitByteBoxes(Record& r, Visit&& visit) {
  for (int k = 1; k <= 4; ++k) {
    visit(txtShirt(k), r.shirtNumbers[k - 1], db::playerField("shirtNumbers", k - 1));
  }
  for (int i = 0; i < 4; ++i) {
    visit(txtBat(i), r.battingAbilities[i], db::playerField("battingAbilities", i));
    visit(txtBowl(i), r.bowlingAbilities[i], db::playerField("bowlingAbilities", i));
  }
  for (int i = 0; i < 5; ++i) {
    visit(txtField(i), r.fieldingAbilities[i], db::playerField("fieldingAbilities", i));
  }
  visit(TextBox::txtNOs, r.notOutsODI, db::playerField("notOutsODI"));
  visit(TextBox::txtTons, r.hundredsODI, db::playerField("hundredsODI"));
  visit(TextBox::txtHalfs, r.fiftiesODI, db::playerField("fiftiesODI"));
}

template <class Record, class Visit>
void visitInt16Boxes(Record& r, Visit&& visit) {
  visit(txtStats(0), r.matchesODI, db::playerField("matchesODI"));
  visit(txtStats(1), r.inningsODI, db::playerField("inningsODI"));
  visit(txtStats(2), r.runsODI, db::playerField("runsODI"));
  visit(txtStats(3), r.ballsBowledODI, db::playerField("ballsBowledODI"));
  visit(txtStats(4), r.wicketsODI, db::playerField("wicketsODI"));
  visit(txtStats(5), r.runsConcededODI, db::playerField("runsConcededODI"));
}

template <class Record, class Visit>
void visitLists(Record& r, Visit&& visit) {
  visit(ListControl::cboRole, r.role, db::playerField("role"));
  visit(ListControl::cboBatHand, r.battingHand, db::playerField("battingHand"));
  visit(ListControl::cboBowlHand, r.bowlingHand, db::playerField("bowlingHand"));
  visit(ListControl::cboBowlStyle, r.bowlStyle, db::playerField("bowlStyle"));
  visit(ListControl::cboBowlAction, r.bowlAction, db::playerField("bowlAction"));
  visit(ListControl::cboSunscreen, r.sunscreen, db::playerField("sunscreen"));
  visit(ListControl::cboGlasses, r.glasses, db::playerField("glasses"));
  visit(ListControl::cboHat, r.hat, db::playerField("hat"));
  visit(ListControl::cboHelmet, r.helmet, db::playerField("helmet"));
  visit(ListControl::cboBat, r.realBat, db::playerField("realBat"));
  visit(ListControl::cboCaptain, r.defaultCaptain, db::playerField("defaultCaptain"));
  visit(ListControl::cboEverBowls, r.everBowls, db::playerField("everBowls"));
  visit(ListControl::cboKit1, r.kit1, db::playerField("kit1"));
  visit(ListControl::cboKit2, r.kit2, db::playerField("kit2"));
  visit(ListControl::cboKit3, r.kit3, db::playerField("kit3"));
  visit(ListControl::cboKit4, r.kit4, db::playerField("kit4"));
  visit(ListControl::cboGuard, r.armGuard, db::playerField("armGuard"));
  visit(ListControl::cboFace, r.realFace, db::playerField("realFace"));
}

// Every store makes the spoof fields equal to the real ones, edited or not.
void followRealFields(db::PlayerRecord& record) {
  record.spoofName = record.realName;
  record.spoofFace = record.realFace;
  record.spoofBat = record.realBat;
}

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Collects every refusal.
class Storing {
 public:
  explicit Storing(const PlayerForm& form) : form_(form) {}

  template <std::size_t N>
  void text(TextBox box, db::Bytes<N>& field, const db::PlayerField& rules) {
    const std::string& text = form_.text(box);
    if (const auto reason = db::refusalReason(rules, text)) {
      return refuse(box, quoted(caption(box)) + " " + *reason + ".");
    }
    db::storeText(field, text);
  }

  template <class Number>
  void number(TextBox box, Number& field, const db::PlayerField& rules) {
    const std::optional<int> value =
        readWholeNumber(form_.text(box), rules.minimum(), rules.maximum());
    if (!value) {
      return refuse(box, quoted(caption(box)) + " holds " + quoted(form_.text(box)) + "; it " +
                             db::wholeNumberReason(rules) + ".");
    }
    field = static_cast<Number>(*value);
  }

  template <class Number>
  void selection(ListControl list, Number& field, const db::PlayerField& rules) {
    const int selected = form_.selection(list);
    if (selected < 0) return;  // a stored value without an item stays as it is
    if (const auto reason = db::refusalReason(rules, selected)) {
      return refuse(list, quoted(caption(list)) + " " + *reason + ".");
    }
    field = static_cast<Number>(selected);
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
  visitTextBoxes(record, [&](TextBox box, const auto& field, const db::PlayerField&) {
    form.text(box) = db::decodeUpToNul(field);
  });
  const auto showNumber = [&](TextBox box, auto field, const db::PlayerField&) {
    form.text(box) = std::to_string(field);
  };
  visitByteBoxes(record, showNumber);
  visitInt16Boxes(record, showNumber);
  form.text(TextBox::txtBatAvge) = formatAverage(record.battingAverageODI, decimalSeparator);
  form.text(TextBox::txtBowlAvge) = formatAverage(record.bowlingAverageODI, decimalSeparator);
  visitLists(record, [&](ListControl list, auto field, const db::PlayerField&) {
    form.selection(list) = field;
  });
  return form;
}

const std::vector<ControlField>& controlFields() {
  static const std::vector<ControlField> fields = [] {
    std::vector<ControlField> listed;
    const auto add = [&](auto control, const auto&, const db::PlayerField& rules) {
      listed.push_back(ControlField{control, &rules});
    };
    const db::PlayerRecord record;
    visitTextBoxes(record, add);
    visitByteBoxes(record, add);
    visitInt16Boxes(record, add);
    visitLists(record, add);
    return listed;
  }();
  return fields;
}

std::variant<db::PlayerRecord, std::vector<StoreRefusal>> storeForm(const PlayerForm& form,
                                                                    db::PlayerRecord stored) {
  Storing storing(form);
  visitTextBoxes(stored, [&](TextBox box, auto& field, const db::PlayerField& rules) {
    storing.text(box, field, rules);
  });
  const auto storeNumber = [&](TextBox box, auto& field, const db::PlayerField& rules) {
    storing.number(box, field, rules);
  };
  visitByteBoxes(stored, storeNumber);
  visitInt16Boxes(stored, storeNumber);
  visitLists(stored, [&](ListControl list, auto& field, const db::PlayerField& rules) {
    storing.selection(list, field, rules);
  });
  if (!storing.refusals().empty()) return storing.refusals();
  followRealFields(stored);
  return stored;
}

db::PlayerRecord storedAsShown(db::PlayerRecord record) {
  visitTextBoxes(record, [](TextBox, auto& field, const db::PlayerField&) {
    db::storeText(field, db::decodeUpToNul(field));
  });
  followRealFields(record);
  return record;
}

}  // namespace zelbor::editor
