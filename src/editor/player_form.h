#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "controls.h"
#include "db/player_fields.h"
#include "db/player_record.h"

namespace zelbor::editor {

// What the main window's player controls hold: the texts of the boxes and the selected positions
// of the lists (-1 for none). The team and player lists are not part of a player's form.
struct PlayerForm {
  std::array<std::string, kTextBoxCount> texts;
  std::array<int, kListControlCount> selections{};

  std::string& text(TextBox box) { return texts[static_cast<std::size_t>(box)]; }
  const std::string& text(TextBox box) const { return texts[static_cast<std::size_t>(box)]; }
  int& selection(ListControl list) { return selections[static_cast<std::size_t>(list)]; }
  int selection(ListControl list) const { return selections[static_cast<std::size_t>(list)]; }

  friend bool operator==(const PlayerForm&, const PlayerForm&) = default;
};

// The player lists whose selection is a record field, in the order they are stored.
inline constexpr std::array<ListControl, 18> kPlayerLists = {
    ListControl::cboRole,      ListControl::cboBatHand,   ListControl::cboBowlHand,
    ListControl::cboFace,      ListControl::cboBowlStyle, ListControl::cboBowlAction,
    ListControl::cboSunscreen, ListControl::cboGlasses,   ListControl::cboHat,
    ListControl::cboHelmet,    ListControl::cboBat,       ListControl::cboCaptain,
    ListControl::cboEverBowls, ListControl::cboKit1,      ListControl::cboKit2,
    ListControl::cboKit3,      ListControl::cboKit4,      ListControl::cboGuard};

// The form showing `record`: texts up to their first NUL, numbers in decimal, each list on its
// stored value (a value without an item leaves its list without a selection).
PlayerForm formFromRecord(const db::PlayerRecord& record, std::string_view decimalSeparator);

// A player control and the record field it shows and stores.
struct ControlField {
  Control control;
  const db::PlayerField* field;
};

// Every control that stores a record field, in the order of the controls.
const std::vector<ControlField>& controlFields();

struct StoreRefusal {
  Control control;
  std::string message;
};

// `stored` with the form's values written into it, or every value that cannot be stored, in the
// order of the controls; then nothing at all is taken. Texts are trimmed of spaces and NUL-padded,
// the spoof fields follow the real ones, the averages and opaque fields keep their stored values,
// and a list without a selection keeps its stored value.
std::variant<db::PlayerRecord, std::vector<StoreRefusal>> storeForm(const PlayerForm& form,
                                                                    db::PlayerRecord stored);

// `record` as storing the controls that show it, unedited, leaves it: the texts trimmed of spaces
// and NUL-padded, the spoof fields equal to the real ones, every other byte as it was.
db::PlayerRecord storedAsShown(db::PlayerRecord record);

}  // namespace zelbor::editor
