#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zelbor::batch {

// The eight scaled abilities in factor order: the name the code, the main window and the command
// line's options use, and the caption under the ability's slider in the batch window.
struct ScaledAbility {
  std::string_view name;
  std::string_view batchCaption;
};
inline constexpr std::array<ScaledAbility, 8> kScaledAbilities = {{
    {"Timing", "Timing"},
    {"Precision", "Precision"},
    {"Power", "Power"},
    {"Control", "Control"},
    {"Accuracy", "Accuracy"},
    {"Swing", "Swing/Drift"},  // the batch window's design captions it differently
    {"Cut", "Seam/Spin"},      // the batch window's design captions it differently
    {"Speed", "Speed"},
}};

// The eight scale factors, single precision, for the abilities of kScaledAbilities: batting
// first, then bowling. An ability whose slider was never moved keeps exactly 1.
struct BatchFactors {
  std::array<float, 4> batting{1, 1, 1, 1};
  std::array<float, 4> bowling{1, 1, 1, 1};
};

// Sliders run from 0 (top, 100 %) to 100 (bottom, 0 %); the percentage is 100 - value.
inline constexpr int kSliderMinimum = 0;
inline constexpr int kSliderMaximum = 100;

// The single-precision number nearest to (100 - sliderValue) / 100.
float factorForSliderValue(int sliderValue);

// The label under a slider: "100%", "75%", "0%".
std::string percentLabel(int sliderValue);

}  // namespace zelbor::batch
