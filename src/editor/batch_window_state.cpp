#include "batch_window_state.h"

namespace zelbor::editor {

std::string BatchWindowState::setSlider(int ability, int value) {
  float& factor = ability < 4 ? factors_.batting.at(static_cast<std::size_t>(ability))
                              : factors_.bowling.at(static_cast<std::size_t>(ability - 4));
  factor = batch::factorForSliderValue(value);
  return batch::percentLabel(value);
}

}  // namespace zelbor::editor
