#include "exchange_texts.h"

#include "exchange/table_format.h"

namespace zelbor::forms::exchange_texts {
namespace {

std::string counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

constexpr std::string_view kWorkbookFilter = "Excel workbook|*.xlsx|";
constexpr std::string_view kTextTablesFilter = "CSV with byte order mark|*.csv|JSON|*.json";

}  // namespace

std::string tableFilter() {
  return (exchange::buildHasXlsx() ? std::string(kWorkbookFilter) : std::string()) +
         std::string(kTextTablesFilter);
}

std::string importFilter() {
  if (!exchange::buildHasXlsx()) {
    return "Players' tables|*.csv;*.json|" + std::string(kTextTablesFilter);
  }
  return "Players' tables|*.xlsx;*.csv;*.json|" + std::string(kWorkbookFilter) +
         std::string(kTextTablesFilter);
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

std::vector<std::string> changeRow(const editor::RestoreChange& change) {
  return {change.team, std::to_string(change.slot) + " (" + change.player + ")", change.field,
          change.now, change.restored};
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

std::vector<std::string> differenceRow(std::string_view line) {
  std::vector<std::string> cells;
  for (;;) {
    const std::size_t tab = line.find('\t');
    cells.emplace_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return cells;
    line.remove_prefix(tab + 1);
  }
}

std::string matchEntry(const editor::PlayerMatch& match) {
  return match.name + " \u2014 " + match.teamName;
}

}  // namespace zelbor::forms::exchange_texts
