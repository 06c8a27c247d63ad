#pragma once

#include <optional>
#include <string>

#include "batch/batch_factors.h"

namespace zelbor::editor {

enum class BatchScope { AllTeams, CurrentTeam };

// What the batch window holds while it is open: the eight factors its sliders set, batting then
// bowling, and the scope its options chose. A new window starts at full strength with no scope.
class BatchWindowState {
 public:
  // Ability `ability` (0..7, batting first) settled at slider value `value`; its label's text.
  std::string setSlider(int ability, int value);
  void chooseScope(BatchScope scope) { scope_ = scope; }
  // "Process" stays disabled until a scope is chosen.
  bool processEnabled() const { return scope_.has_value(); }
  std::optional<BatchScope> scope() const { return scope_; }
  const batch::BatchFactors& factors() const { return factors_; }

 private:
  batch::BatchFactors factors_;
  std::optional<BatchScope> scope_;
};

}  // namespace zelbor::editor
