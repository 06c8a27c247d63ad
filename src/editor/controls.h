#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace zelbor::editor {

// The main window's text boxes. Elements of a control array keep the array's own index base:
// txtShirt(1..4), txtBat(0..3), txtBowl(0..3), txtField(0..4), txtStats(0..5).
enum class TextBox : std::uint8_t {
  txtRealName,
  txtDOB,
  txtBestBatODI,
  txtBestBowlODI,
  txtShirtFirst,
  txtBatFirst = txtShirtFirst + 4,
  txtBowlFirst = txtBatFirst + 4,
  txtFieldFirst = txtBowlFirst + 4,
  txtStatsFirst = txtFieldFirst + 5,
  txtNOs = txtStatsFirst + 6,
  txtTons,
  txtHalfs,
  txtBatAvge,
  txtBowlAvge,
};
inline constexpr int kTextBoxCount = static_cast<int>(TextBox::txtBowlAvge) + 1;

constexpr TextBox offset(TextBox first, int index) {
  return static_cast<TextBox>(static_cast<int>(first) + index);
}
constexpr TextBox txtShirt(int index) {
  return offset(TextBox::txtShirtFirst, index - 1);
}
constexpr TextBox txtBat(int index) {
  return offset(TextBox::txtBatFirst, index);
}
constexpr TextBox txtBowl(int index) {
  return offset(TextBox::txtBowlFirst, index);
}
constexpr TextBox txtField(int index) {
  return offset(TextBox::txtFieldFirst, index);
}
constexpr TextBox txtStats(int index) {
  return offset(TextBox::txtStatsFirst, index);
}

// The thirteen ability boxes, in row order 0..12: txtBat(0..3), txtBowl(0..3), txtField(0..4).
// They are the bars of the attribute display, the only boxes tagged "1".
inline constexpr int kAbilityRowCount = 13;
constexpr TextBox abilityBox(int row) {
  return offset(TextBox::txtBatFirst, row);
}
constexpr bool isAbilityBox(TextBox box) {
  return box >= TextBox::txtBatFirst && box < TextBox::txtStatsFirst;
}

// The main window's lists: the two selection lists and the player's drop-down lists.
enum class ListControl : std::uint8_t {
  cboTeams,
  lstPlayers,
  cboFace,
  cboRole,
  cboBatHand,
  cboBowlHand,
  cboBowlStyle,
  cboBowlAction,
  cboCaptain,
  cboEverBowls,
  cboBat,
  cboSunscreen,
  cboHelmet,
  cboHat,
  cboGlasses,
  cboKit1,
  cboKit2,
  cboKit3,
  cboKit4,
  cboGuard,
};
inline constexpr int kListControlCount = static_cast<int>(ListControl::cboGuard) + 1;

// Any control a message can point the user to.
using Control = std::variant<TextBox, ListControl>;

// The control's design name, used as its objectName: "txtRealName", "txtShirt(1)", "cboTeams".
std::string designName(TextBox box);
std::string_view designName(ListControl list);

// How messages name a box: the caption of the label beside it ("Timing", "100s", "Bat").
std::string caption(TextBox box);
std::string_view caption(ListControl list);

}  // namespace zelbor::editor
