#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/backup_chooser.h"
#include "editor/exchange_windows.h"
#include "editor/file_types.h"

namespace zelbor::forms {

// The words of the windows of File "Restore from Backup...", "Import Players...", "Export
// Players...", "Compare with Database..." and Search "Find Player...", for every front end.
// File-type filters are written "Description|pattern", patterns separated by ";".
namespace exchange_texts {

// The table windows: a caption above a table, an OK button and Cancel (or Close); their size in
// twips.
inline constexpr int kTableWindowWidth = 9600;
inline constexpr int kTableWindowHeight = 6000;
inline constexpr std::string_view kApplyButton = "&Apply";
inline constexpr std::string_view kCloseButton = "Close";

inline constexpr std::string_view kRestoreTitle = "Restore from Backup";
inline constexpr std::array<std::string_view, 3> kBackupColumns = {"Taken", "Before",
                                                                   "Players that differ"};
inline constexpr std::string_view kShowChangesButton = "&Show Changes";
std::string backupsCaption(const std::string& databasePath);
// The backup's cells of the list, in the order of kBackupColumns.
std::vector<std::string> backupRow(const editor::BackupListing& backup);
inline constexpr std::array<std::string_view, 5> kRestoreColumns = {"Team", "Player", "Field",
                                                                    "Now", "Restored"};
std::string restoreCaption(const editor::BackupListing& backup, bool nothingToRestore);
// The changes' cells: team, player ("3 (Name)"), field, the value now and the value after. The
// team is named on its first row only: the rows come grouped by team.
std::vector<std::vector<std::string>> changeRows(const std::vector<editor::RestoreChange>& changes);

inline constexpr std::string_view kImportTitle = "Import Players";
inline constexpr std::string_view kExportTitle = "Export Players";
inline constexpr std::string_view kPatchTitle = "Save as Patch";
inline constexpr std::string_view kCompareTitle = "Compare with Database";
// The table types to export to and to import from. The workbook is offered only by a build that
// reads and writes it: picking a type only to be told it is missing helps nobody.
// Each list ends with "All files".
editor::FileTypes tableTypes();
editor::FileTypes importTypes();
editor::FileTypes patchTypes();

inline constexpr std::array<std::string_view, 5> kImportColumns = {"Team", "Player", "Field", "Now",
                                                                   "Imported"};
inline constexpr std::array<std::string_view, 1> kRefusedColumns = {"Refused cell"};
// What the preview says above its table: what applying does, or why nothing can be imported,
// then how the input was read and the notes, a line each.
std::string importCaption(const editor::ImportPreviewRows& preview);

inline constexpr std::array<std::string_view, 5> kDifferenceColumns = {"Team", "Player", "Field",
                                                                       "This file", "Compared"};
inline constexpr std::string_view kSavePatchButton = "Save as &Patch\u2026";

inline constexpr std::string_view kFindTitle = "Find Player";
inline constexpr std::string_view kGoToPlayerButton = "&Go to Player";
inline constexpr int kFindWindowWidth = 6300;
inline constexpr int kFindWindowHeight = 5400;
// A match as the find window lists it: "Name — Team".
std::string matchEntry(const editor::PlayerMatch& match);
// What the list says, as its only entry, when no name matches `typed`; nothing while the box is
// empty.
std::optional<std::string> noMatchEntry(const std::string& typed);

}  // namespace exchange_texts
}  // namespace zelbor::forms
