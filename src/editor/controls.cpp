#include "controls.h"

#include <array>

namespace zelbor::editor {
namespace {

constexpr std::array<std::string_view, 3> kAbilityGroups = {"txtBat", "txtBowl", "txtField"};

constexpr std::array<std::string_view, kAbilityRowCount> kAbilityCaptions = {
    "Timing", "Precision", "Power",     "Control", "Accuracy",  "Swing",   "Cut",
    "Speed",  "Reflexes",  "Judgement", "Speed",   "Arm Power", "Arm Acc."};

constexpr std::array<std::string_view, 6> kStatsCaptions = {
    "Mat.", "Inns", "Runs", "Balls Bowled", "Wkts", "Runs Conceded"};

struct ArrayElement {
  std::string_view name;
  int index;
};

// The control array a box belongs to and its index in it, for the boxes that are array elements.
constexpr ArrayElement arrayElement(TextBox box) {
  const int n = static_cast<int>(box);
  const int shirt = static_cast<int>(TextBox::txtShirtFirst);
  const int bat = static_cast<int>(TextBox::txtBatFirst);
  const int bowl = static_cast<int>(TextBox::txtBowlFirst);
  const int field = static_cast<int>(TextBox::txtFieldFirst);
  const int stats = static_cast<int>(TextBox::txtStatsFirst);
  const int notOuts = static_cast<int>(TextBox::txtNOs);
  if (n >= shirt && n < bat) return {"txtShirt", n - shirt + 1};
  if (n >= bat && n < bowl) return {kAbilityGroups[0], n - bat};
  if (n >= bowl && n < field) return {kAbilityGroups[1], n - bowl};
  if (n >= field && n < stats) return {kAbilityGroups[2], n - field};
  if (n >= stats && n < notOuts) return {"txtStats", n - stats};
  return {"", -1};
}

}  // namespace

std::string designName(TextBox box) {
  switch (box) {
    case TextBox::txtRealName:
      return "txtRealName";
    case TextBox::txtDOB:
      return "txtDOB";
    case TextBox::txtBestBatODI:
      return "txtBestBatODI";
    case TextBox::txtBestBowlODI:
      return "txtBestBowlODI";
    case TextBox::txtNOs:
      return "txtNOs";
    case TextBox::txtTons:
      return "txtTons";
    case TextBox::txtHalfs:
      return "txtHalfs";
    case TextBox::txtBatAvge:
      return "txtBatAvge";
    case TextBox::txtBowlAvge:
      return "txtBowlAvge";
    default:
      break;
  }
  const ArrayElement element = arrayElement(box);
  return std::string(element.name) + "(" + std::to_string(element.index) + ")";
}

std::string_view designName(ListControl list) {
  static constexpr std::array<std::string_view, kListControlCount> kNames = {
      "cboTeams",    "lstPlayers",   "cboFace",       "cboRole",    "cboBatHand",
      "cboBowlHand", "cboBowlStyle", "cboBowlAction", "cboCaptain", "cboEverBowls",
      "cboBat",      "cboSunscreen", "cboHelmet",     "cboHat",     "cboGlasses",
      "cboKit1",     "cboKit2",      "cboKit3",       "cboKit4",    "cboGuard"};
  return kNames[static_cast<std::size_t>(list)];
}

std::string caption(TextBox box) {
  switch (box) {
    case TextBox::txtRealName:
      return "Name";
    case TextBox::txtDOB:
      return "D.O.B.";
    case TextBox::txtBestBatODI:
      return "Best Batting";
    case TextBox::txtBestBowlODI:
      return "Best Bowling";
    case TextBox::txtNOs:
      return "NOs";
    case TextBox::txtTons:
      return "100s";
    case TextBox::txtHalfs:
      return "50s";
    case TextBox::txtBatAvge:
      return "Bat Avge";
    case TextBox::txtBowlAvge:
      return "Bowl Avge";
    default:
      break;
  }
  const ArrayElement element = arrayElement(box);
  if (element.name == "txtShirt")
    return "Shirt Numbers (box " + std::to_string(element.index) + ")";
  if (element.name == "txtStats") return std::string(kStatsCaptions[element.index]);
  return std::string(
      kAbilityCaptions[static_cast<int>(box) - static_cast<int>(TextBox::txtBatFirst)]);
}

std::string_view caption(ListControl list) {
  static constexpr std::array<std::string_view, kListControlCount> kCaptions = {
      "Team",          "Player",    "Face",        "Role",         "Bat/Bowl Hand",
      "Bat/Bowl Hand", "Bowl Type", "Bowl Action", "Def. Captain", "Bowls (?)",
      "Bat",           "Sunscreen", "Helmet",      "Hat/Cap",      "Glasses",
      "Kit 1",         "Kit 2",     "Kit 3",       "Kit 4",        "Arm Guard"};
  return kCaptions[static_cast<std::size_t>(list)];
}

}  // namespace zelbor::editor
