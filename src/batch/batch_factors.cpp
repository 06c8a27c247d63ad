#include "batch_factors.h"

namespace zelbor::batch {

float factorForSliderValue(int sliderValue) {
  const int percent = 100 - sliderValue;
  return static_cast<float>(percent / 100.0);
}

std::string percentLabel(int sliderValue) {
  return std::to_string(100 - sliderValue) + "%";
}

}  // namespace zelbor::batch
