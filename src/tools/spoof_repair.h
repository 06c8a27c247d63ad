#pragma once

#include "db/player_record.h"

namespace zelbor::tools {

// Copies realName, realFace and realBat over their spoof fields; returns whether anything changed.
bool repairSpoofFields(db::PlayerRecord& player);

}  // namespace zelbor::tools
