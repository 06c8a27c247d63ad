#pragma once

#include <span>
#include <string>

#include "byte_order.h"
#include "layout.h"

namespace zelbor::db {

// The name the team list shows: NULs count as spaces, then leading and trailing spaces go.
std::string teamDisplayName(std::span<const Byte, kTeamNameSize> nameBytes);

}  // namespace zelbor::db
