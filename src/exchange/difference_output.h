#pragma once

#include <ostream>
#include <vector>

#include "database_diff.h"

namespace zelbor::exchange {

// One line per difference: team, slot, field, A's value, B's value; "-" for no team or slot.
void writeDifferenceLines(std::ostream& out, const std::vector<Difference>& differences);

// The patch import reads: one sparse object per player that differs, with B's values, and what
// a patch cannot carry.
void writePatch(std::ostream& out, const std::vector<Difference>& differences);

}  // namespace zelbor::exchange
