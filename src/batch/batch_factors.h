#pragma once

#include <array>
#include <string>

namespace zelbor::batch {

// The eight scale factors, single precision: batting Timing, Precision, Power, Control, then
// bowling Accuracy, Swing, Cut, Speed. An ability whose slider was never moved keeps exactly 1.
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
