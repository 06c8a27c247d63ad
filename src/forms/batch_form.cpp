#include "batch_form.h"

#include <utility>

#include "batch/batch_factors.h"

namespace zelbor::forms {
namespace {

constexpr int kGroupSpacing = 960;
constexpr int kBattingLeft = 240;
constexpr int kBowlingLeft = 4200;
constexpr std::string_view kCurrentTeamCaption = "Current Team";

}  // namespace

// The labels come first so that the controls are drawn over the two bordered group labels.
FormSpec batchForm() {
  using enum ControlKind;
  constexpr unsigned kGroupLook = kBordered | kBold | kCentred;
  std::vector<ControlSpec> layout = {
      {"Label1", "", Label, "-  B A T T I N G  -", {120, 120, 3735, 5535}, kGroupLook},
      {"Label2", "", Label, "-  B O W L I N G  -", {4080, 120, 3735, 5535}, kGroupLook},
      {"Label4", "", Label, "Editing Affects:", {240, 6000, 2655, 255}},
  };
  for (int i = 0; i < 4; ++i) {
    const int bat = kBattingLeft + kGroupSpacing * i;
    const int bowl = kBowlingLeft + kGroupSpacing * i;
    const std::string batCaption(batch::kScaledAbilities[i].batchCaption);
    const std::string bowlCaption(batch::kScaledAbilities[4 + i].batchCaption);
    // Captions are centred under their slider; the bowling ones run backwards, from Label3(7)
    // under sldBowl(0) to Label3(4) under sldBowl(3).
    // clang-format off
    appendRows(layout, {
        {arrayElement("Label3", i), "", Label, batCaption, {bat - 240, 5040, 1095, 255}, kCentred},
        {arrayElement("Label3", 7 - i), "", Label, bowlCaption, {bowl - 240, 5040, 1095, 255},
         kCentred},
        {arrayElement("lblBat", i), "", Label, "100%", {bat, 5280, 615, 255}, kCentred},
        {arrayElement("lblBowl", i), "", Label, "100%", {bowl, 5280, 615, 255}, kCentred},
    });
    // clang-format on
  }
  const auto addSliders = [&layout](std::string_view array, int left) {
    for (int i = 0; i < 4; ++i) {
      layout.push_back(
          {arrayElement(array, i), "", Slider, "", {left + kGroupSpacing * i, 480, 615, 4575}});
    }
  };
  addSliders("sldBat", kBattingLeft);
  layout.push_back({"optAll", "", OptionButton, "All Teams", {1440, 6000, 1455, 255}});
  layout.push_back(
      {"optCurrent", "", OptionButton, std::string(kCurrentTeamCaption), {3000, 6000, 2895, 255}});
  addSliders("sldBowl", kBowlingLeft);
  layout.push_back({"cmdProcess", "", PushButton, "Process", {6120, 5880, 1695, 495}});
  return {"frmBatch", "Batch Editing", 7935, 6540, std::move(layout)};
}

std::string currentTeamCaption(std::string_view teamName) {
  return std::string(kCurrentTeamCaption) + " (" + std::string(teamName) + ")";
}

}  // namespace zelbor::forms
