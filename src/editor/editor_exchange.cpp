// File "Export Players...", "Import Players..." and "Compare with Database...": the players'
// tables and differences of the exchange room, read and written from the window.
#include <sstream>

#include "db/new_file.h"
#include "db/restore.h"
#include "db/text_codec.h"
#include "db/value_lists.h"
#include "editor.h"
#include "exchange/database_diff.h"
#include "exchange/difference_output.h"
#include "exchange/player_export.h"
#include "exchange/player_import.h"

namespace zelbor::editor {
namespace {

// Replaces `path` with `text` in one step, unless it names the open database itself: by
// identity, so a link or another spelling of the database is refused too.
db::Result<void> replaceWith(db::FileSystem& fileSystem, const std::string& path,
                             const std::string& text, const db::Path& database) {
  const db::Result<bool> same = fileSystem.sameFile(path, database);
  if (!same) return same.error();
  if (same.value()) {
    return db::FileError{path,
                         "\"" + path + "\" is the open database itself; nothing was written."};
  }
  return db::replaceFile(fileSystem, path, db::bytesOf(text));
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

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
          replaceWith(fileSystem_, path, bytes.value(), database_->databasePath());
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
  const db::Result<std::string> text = exchange::readImportFile(fileSystem_, input);
  if (!text) return reportError(text.error().message);
  const auto read = exchange::readImportSource(text.value(), input, table->format);
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
    rows.refused = std::get<exchange::CellProblems>(preview.plan);
  } else {
    rows.notes = plan->notes;
    for (const exchange::FieldChange& change : plan->changes) {
      const db::PlayerRecord& player = preview.loaded[static_cast<std::size_t>(change.team - 1)]
                                                     [static_cast<std::size_t>(change.slot - 1)];
      rows.changes.push_back({teamLabel(change.team), change.slot,
                              db::decodeUpToNul(player.realName), std::string(change.field),
                              change.before, change.after});
    }
  }
  if (!windows.confirmImport(rows) || plan == nullptr || plan->changes.empty()) return;
  exchange::AppliedImport applied;
  const db::WriteOutcome outcome = writeBackedUp("import", [&](const db::BeforeFirstWrite& backUp) {
    applied = exchange::applyImport(*database_, preview, backUp);
    return applied.outcome;
  });
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
  std::ostringstream lines;
  exchange::writeDifferenceLines(lines, differences);
  const std::string title = std::to_string(differences.size()) +
                            (differences.size() == 1 ? " difference" : " differences") +
                            " between \"" + path + "\" and \"" + other + "\"";
  if (!windows.showDifferences(title, linesOf(lines.str()), !differences.empty())) return;
  const std::string patchPath = windows.choosePatchPath();
  if (patchPath.empty()) return;
  std::ostringstream patch;
  exchange::writePatch(patch, differences);
  if (const db::Result<void> written =
          replaceWith(fileSystem_, patchPath, patch.str(), database_->databasePath());
      !written) {
    return reportError(written.error().message);
  }
}

}  // namespace zelbor::editor
