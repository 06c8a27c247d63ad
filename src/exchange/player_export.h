#pragma once

#include <span>
#include <string>
#include <vector>

#include "db/player_record.h"
#include "db/result.h"
#include "export_formats.h"
#include "table_format.h"

namespace zelbor::exchange {

// Adds the players of `team` to an export, in slot order.
void addExported(std::vector<ExportedPlayer>& exported, int team,
                 std::span<const db::PlayerRecord> players);

// The export in `format`; `byteOrderMark` applies to CSV. An xlsx workbook can fail to be built.
db::Result<std::string> exportedBytes(const std::vector<ExportedPlayer>& exported,
                                      TableFormat format, ItemNames names, bool byteOrderMark);

}  // namespace zelbor::exchange
