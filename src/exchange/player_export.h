#pragma once

#include <span>
#include <string>
#include <vector>

#include "db/file_access.h"
#include "db/player_record.h"
#include "db/result.h"
#include "export_formats.h"
#include "table_format.h"

namespace zelbor::exchange {

// Adds the players of `team` to an export, in slot order.
void addExported(std::vector<ExportedPlayer>& exported, int team,
                 std::span<const db::PlayerRecord> players);

// The export in `format`; `byteOrderMark` applies to CSV. An xlsx workbook is built in a work
// file through `fileSystem`, and can fail to be.
db::Result<std::string> exportedBytes(db::FileSystem& fileSystem,
                                      const std::vector<ExportedPlayer>& exported,
                                      TableFormat format, ItemNames names, bool byteOrderMark);

}  // namespace zelbor::exchange
