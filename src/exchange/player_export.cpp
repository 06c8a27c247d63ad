#include "player_export.h"

#include <sstream>

#include "player_sheet.h"

namespace zelbor::exchange {

void addExported(std::vector<ExportedPlayer>& exported, int team,
                 std::span<const db::PlayerRecord> players) {
  for (std::size_t i = 0; i < players.size(); ++i) {
    exported.push_back({team, static_cast<int>(i + 1), db::encodePlayerRecord(players[i])});
  }
}

db::Result<std::string> exportedBytes(db::FileSystem& fileSystem,
                                      const std::vector<ExportedPlayer>& exported,
                                      TableFormat format, ItemNames names, bool byteOrderMark) {
  if (format == TableFormat::Xlsx) {
    return xlsxWorkbook(fileSystem, playerSheet(exported, names), "Players");
  }
  std::ostringstream out;
  if (format == TableFormat::Csv) {
    writeCsv(out, exported, names, byteOrderMark);
  } else {
    writeJson(out, exported, names);
  }
  return out.str();
}

}  // namespace zelbor::exchange
