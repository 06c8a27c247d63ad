#include "exchange_texts.h"

#include "exchange/table_format.h"

namespace zelbor::forms::exchange_texts {
namespace {

std::string counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

// The players' table types this build reads and writes, the workbook first.
editor::FileTypes playerTableTypes() {
  editor::FileTypes types;
  if (exchange::buildHasXlsx()) types.push_back({"Excel workbook", {"*.xlsx"}});
  types.push_back({"CSV with byte order mark", {"*.csv"}});
  types.push_back({"JSON", {"*.json"}});
  return types;
}

}  // namespace

editor::FileTypes tableTypes() {
  return editor::withAllFiles(playerTableTypes());
}

editor::FileTypes importTypes() {
  editor::FileTypes types = playerTableTypes();
  editor::FileType any{"Players' tables", {}};
  for (const editor::FileType& type : types) {
    any.patterns.insert(any.patterns.end(), type.patterns.begin(), type.patterns.end());
  }
  types.insert(types.begin(), std::move(any));
  return editor::withAllFiles(std::move(types));
}

editor::FileTypes patchTypes() {
  return editor::withAllFiles({{"JSON patch", {"*.json"}}});
}

std::string backupsCaption(const std::string& databasePath) {
  return "Backups of \"" + databasePath + "\", newest first:";
}

std::vector<std::string> backupRow(const editor::BackupListing& backup) {
  return {backup.when, backup.description,
          backup.differingPlayers ? std::to_string(*backup.differingPlayers) : "cannot be read"};
}

std::string restoreCaption(const editor::BackupListing& backup, bool nothingToRestore) {
  if (nothingToRestore) {
    return "The players of the backup of " + backup.when +
           " are those of the file now; there is nothing to restore.";
  }
  return "Restoring the backup of " + backup.when +
         " changes these fields. The file is backed up first, so this can be undone in turn.";
}

std::vector<std::vector<std::string>> changeRows(const std::vector<editor::RestoreChange>& changes) {
  std::vector<std::vector<std::string>> rows;
  const std::string* team = nullptr;
  for (const editor::RestoreChange& change : changes) {
    std::string player;
    if (change.slot > 0) player = std::to_string(change.slot);
    if (!change.player.empty()) player += " (" + change.player + ")";
    rows.push_back({team != nullptr && *team == change.team ? std::string() : change.team,
                    std::move(player), change.field, change.now, change.restored});
    team = &change.team;
  }
  return rows;
}

std::string importCaption(const editor::ImportPreviewRows& preview) {
  std::string caption;
  if (!preview.refused.empty()) {
    caption = "Nothing can be imported: " + counted(preview.refused.size(), "cell") + " of \"" +
              preview.input + "\" " + (preview.refused.size() == 1 ? "is" : "are") + " refused.";
  } else if (preview.changes.empty()) {
    caption = "\"" + preview.input + "\" holds the players as the file does: nothing to import.";
  } else {
    caption = "Importing \"" + preview.input + "\" changes " +
              counted(preview.changes.size(), "field") + ". The file is backed up first.";
  }
  if (!preview.reading.empty()) caption += "\nRead as " + preview.reading + ".";
  for (const std::string& note : preview.notes) caption += "\n" + note;
  return caption;
}

std::string matchEntry(const editor::PlayerMatch& match) {
  return match.name + " \u2014 " + match.teamName;
}

std::optional<std::string> noMatchEntry(const std::string& typed) {
  if (typed.empty()) return std::nullopt;
  return "No player's name contains \"" + typed + "\".";
}

}  // namespace zelbor::forms::exchange_texts
