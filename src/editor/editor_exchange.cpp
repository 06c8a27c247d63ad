// File "Export Players...", "Import Players..." and "Compare with Database...": the players'
// tables and differences of the exchange room, read and written from the window.
#include <sstream>
#include <stdexcept>

#include "db/new_file.h"
#include "db/restore.h"
#include "db/text_codec.h"
#include "db/value_lists.h"
#include "editor.h"
#include "exchange/database_diff.h"
#include "exchange/difference_output.h"
#include "exchange/player_export.h"
#include "exchange/player_import.h"
#include "messages.h"
#include "table_fields.h"

namespace zelbor::editor {

bool Editor::mayWriteOutput(const std::string& path) {
  // By identity, so a link or another spelling of the database is refused too, and before any
  // question about replacing it.
  const db::Result<bool> same = db::namesDatabase(fileSystem_, path, database_->databasePath());
  if (!same) {
    reportError(same.error().message);
    return false;
  }
  if (same.value()) {
    reportError(db::databaseAsOutput(path, database_->databasePath()).message);
    return false;
  }
  const db::Result<db::PathEntry> entry = fileSystem_.examine(path);
  if (!entry) {
    reportError(entry.error().message);
    return false;
  }
  return entry.value().kind == db::PathEntry::Kind::Nothing ||
         prompts_.askYesNoDefaultNo(messages::replaceQuestion(path)) == Answer::Yes;
}

std::optional<Editor::ChosenTable> Editor::chooseTable(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::optional<exchange::TableFormat> format = exchange::tableFormatOf(path);
  if (!format) {
    reportError("\"" + path +
                "\" is not a players' table: its name must end in .xlsx, .csv or .json.");
    return std::nullopt;
  }
  if (*format == exchange::TableFormat::Xlsx && !exchange::buildHasXlsx()) {
    reportError("\"" + path + "\": " + std::string(exchange::kNoXlsxSupport) + ".");
    return std::nullopt;
  }
  db::Result<db::ValueLists> lists = db::ValueLists::load(fileSystem_, environment_.programFolder);
  if (!lists) {
    reportError(lists.error().message);
    return std::nullopt;
  }
  return ChosenTable{path, *format, std::move(lists).value()};
}

void Editor::mnuExport_Click(ExchangeWindows& windows) {
  if (!database_ || !settleUnsavedEdits()) return;
  const std::optional<ChosenTable> table = chooseTable(windows.chooseExportPath());
  if (!table) return;
  const std::string& path = table->path;
  if (!mayWriteOutput(path)) return;
  std::vector<exchange::ExportedPlayer> exported;
  const db::WalkOutcome walk =
      db::readEachTeam(*database_, [&](int team, std::span<const db::PlayerRecord> players) {
        exchange::addExported(exported, team, players);
      });
  if (!walk.ok()) return reportWalkFailure(walk, "The export");
  const db::Result<std::string> bytes =
      exchange::exportedBytes(fileSystem_, exported, table->format, table->lists, true);
  if (!bytes) return reportError(bytes.error().message);
  if (const db::Result<void> written =
          db::replaceFile(fileSystem_, path, db::bytesOf(bytes.value()), database_->databasePath());
      !written) {
    return reportError(written.error().message);
  }
  prompts_.tell(std::to_string(exported.size()) + " players were exported to \"" + path + "\".",
                MessageIcon::None);
}

void Editor::mnuImport_Click(ExchangeWindows& windows) {
  if (!database_ || !settleUnsavedEdits()) return;
  const std::optional<ChosenTable> table = chooseTable(windows.chooseTableToImport());
  if (!table) return;
  const std::string& input = table->path;
  const db::Result<exchange::ImportFile> file = exchange::readImportFile(fileSystem_, input);
  if (!file) return reportError(file.error().message);
  if (file.value().refusal) return reportError(*file.value().refusal);
  const auto read = exchange::readImportSource(file.value().bytes, input, table->format);
  if (const auto* refusal = std::get_if<std::string>(&read)) return reportError(*refusal);
  const auto& source = std::get<exchange::ImportSource>(read);

  const int teamIndex = view_.selectedIndex(ListControl::cboTeams);
  const int playerIndex = view_.selectedIndex(ListControl::lstPlayers);
  exchange::ImportPreview preview;
  const db::WalkOutcome walk =
      exchange::previewImport(*database_, source, table->lists, false, preview);
  if (!walk.ok()) return reportWalkFailure(walk, "The import");
  ImportPreviewRows rows{input, exchange::readingDescription(source), {}, {}, {}};
  const auto* plan = std::get_if<exchange::ImportPlan>(&preview.plan);
  if (plan == nullptr) {
    rows.refused = exchange::problemLines(std::get<exchange::CellProblems>(preview.plan));
  } else {
    rows.notes = plan->notes;
    for (const exchange::FieldChange& change : plan->changes) {
      const auto team = static_cast<std::size_t>(change.team - 1);
      const auto slot = static_cast<std::size_t>(change.slot - 1);
      // An import changes only the player fields its table names.
      const db::PlayerField* field = db::findPlayerField(change.field);
      if (field == nullptr) throw std::logic_error("no player field " + std::string(change.field));
      rows.changes.push_back(fieldChange(teamLabel(change.team), change.slot, *field,
                                         preview.loaded[team][slot], plan->teams[team][slot],
                                         std::cref(table->lists)));
    }
  }
  if (!windows.confirmImport(rows) || plan == nullptr || plan->changes.empty()) return;
  exchange::AppliedImport applied;
  const db::WriteOutcome outcome = writeBackedUp(
      db::BackupOperation::Import,
      [&](const db::WritePolicy& policy) {
        applied = exchange::applyImport(*database_, preview, policy);
        return applied.outcome;
      },
      "\"" + input + "\"");
  restoreView(teamIndex, playerIndex);
  if (!outcome.ok()) return reportWriteFailure(outcome, "Importing \"" + input + "\"");
  if (applied.changedOnDisk) {
    return reportError("Team " + teamLabel(*applied.changedOnDisk) +
                       " changed in the file while the import was previewed, so the import wrote "
                       "nothing to " +
                       db::teamList(applied.left) + ". Import the file again.");
  }
  prompts_.tell("\"" + input + "\" was imported: " + std::to_string(plan->changes.size()) +
                    (plan->changes.size() == 1 ? " field changed." : " fields changed."),
                MessageIcon::None);
}

void Editor::mnuCompare_Click(ExchangeWindows& windows) {
  if (!database_) return;
  const std::string other = windows.chooseDatabaseToCompare();
  if (other.empty()) return;
  const std::string& path = database_->databasePath().utf8();
  const db::Result<std::vector<db::Byte>> current = db::readDatabaseImage(fileSystem_, path);
  if (!current) return reportError(current.error().message);
  const db::Result<std::vector<db::Byte>> compared =
      exchange::readDatabaseToCompare(fileSystem_, other);
  if (!compared) return reportError(compared.error().message);
  const std::vector<exchange::Difference> differences =
      exchange::compareDatabases(current.value(), compared.value(), std::nullopt);
  const db::Result<db::ValueLists> lists =
      db::ValueLists::load(fileSystem_, environment_.programFolder);
  std::vector<RestoreChange> rows;
  for (const exchange::Difference& difference : differences) {
    rows.push_back(differenceChange(difference,
                                    difference.team ? teamLabel(*difference.team) : std::string(),
                                    current.value(), compared.value(), itemNames(lists)));
  }
  const std::string title = std::to_string(differences.size()) +
                            (differences.size() == 1 ? " difference" : " differences") +
                            " between \"" + path + "\" and \"" + other + "\"";
  if (!windows.showDifferences(title, rows, !differences.empty())) return;
  const std::string patchPath = windows.choosePatchPath();
  if (patchPath.empty() || !mayWriteOutput(patchPath)) return;
  std::ostringstream patch;
  exchange::writePatch(patch, differences);
  if (const db::Result<void> written = db::replaceFile(
          fileSystem_, patchPath, db::bytesOf(patch.str()), database_->databasePath());
      !written) {
    return reportError(written.error().message);
  }
  prompts_.tell("The " + std::to_string(differences.size()) +
                    (differences.size() == 1 ? " difference was" : " differences were") +
                    " saved as a patch to \"" + patchPath + "\".",
                MessageIcon::None);
}

}  // namespace zelbor::editor
