#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "file_types.h"

namespace zelbor::editor {

// The editor's own texts, shown as they stand.
namespace messages {

// The title of the main window and of every message box.
inline constexpr std::string_view kApplicationTitle = "Zelbor Player Editor";
// The buttons of the questions with three answers, with their Alt keys.
inline constexpr std::string_view kSaveButton = "&Save";
inline constexpr std::string_view kDiscardButton = "&Discard";
inline constexpr std::string_view kCancelButton = "&Cancel";
inline constexpr std::string_view kReloadTeamButton = "&Reload Team";
inline constexpr std::string_view kMergeButton = "&Merge";
inline constexpr std::string_view kKeepEditsButton = "&Keep Edits";

// The program ends on an error nothing else answered.
inline std::string unexpectedErrorMessage(const std::string& what) {
  return "The editor stopped on an unexpected error: " + what;
}

// The database's file type; the file dialogs add "All files".
inline FileTypes databaseTypes() {
  return withAllFiles({{"Zelbor Player Database", {"*TeamAndPlayerInfo.bag"}}});
}
inline constexpr std::string_view kReadOnly =
    "The file is currently read-only.  Please change this before using this player editor";
// Starts a player's entry in the list while the player has unsaved edits.
inline constexpr std::string_view kUnsavedPlayerMarker = "* ";
inline constexpr std::string_view kSaveQuestion = "Save current player?";
inline std::string saveChangesQuestion(const std::string& teamName) {
  return "Save changes to " + teamName + "?";
}
// Saving player `player` with an empty name ends the team's list before it.
inline std::string emptyNameQuestion(int player, int lastPlayer, const std::string& teamName) {
  const std::string hidden = player == lastPlayer ? "player " + std::to_string(player)
                                                  : "players " + std::to_string(player) + " to " +
                                                        std::to_string(lastPlayer);
  return "Player " + std::to_string(player) +
         " has no name. Saved like this, the game and this editor will no longer see " + hidden +
         " of " + teamName + ". Save anyway?";
}
inline constexpr std::string_view kNoPlayerToSave =
    "This team has no players, so there is nothing to save.";
inline constexpr std::string_view kNoTeamLoaded =
    "No team is loaded. Choose a team in the team list first.";

// Merging the user's edits into a team another program changed.
inline std::string mergeConflictQuestion(const std::string& team, const std::string& fields) {
  return "You and another program changed the same fields of team " + team + ":\r\n\r\n" + fields +
         "\r\nKeep your values? Yes keeps what you entered; No keeps the file's values.";
}
// `players` lists the numbers of the players the user edited that the file no longer lists.
inline std::string mergeMissingPlayers(const std::string& team, const std::string& players,
                                       std::size_t count) {
  return "Your edits of team " + team + " were not merged: you edited " +
         (count == 1 ? "player " : "players ") + players + ", which the file no longer lists. " +
         "Your edits stay on screen, unsaved.";
}

inline constexpr std::string_view kBatchAllQuestion =
    "Do you want to batch process all players' abilities now?";
// Worded as designed, "current the team's" included.
inline constexpr std::string_view kBatchCurrentQuestion =
    "Do you want to batch process current the team's players' abilities now?";
inline constexpr std::string_view kBatchWarning =
    "If this has been done already your game is likely to end up a bit silly";
inline constexpr std::string_view kBatchAllDone = "All players' stats have been batch processed";
inline constexpr std::string_view kBatchCurrentDone =
    "Current team's players' stats have been batch processed";

// The look-up's address could not be handed to a browser; the user can still open it by hand.
inline std::string noBrowser(const std::string& address) {
  return "No web browser could be started to look the player up. Open this address in a "
         "browser yourself:\n\n" +
         address;
}

// Before an export or a patch replaces an existing file; No, the default, writes nothing.
inline std::string replaceQuestion(const std::string& path) {
  return "\"" + path + "\" already exists. Do you want to replace it?";
}

inline constexpr std::string_view kFixSpoofQuestion =
    "Replace all spoof names and faces with the real versions?";
inline constexpr std::string_view kFixSpoofDone = "All names and faces have been fixed";

// After the backup before a write could not be made; No, the default, writes nothing.
inline constexpr std::string_view kWriteWithoutBackupQuestion =
    "Write Without Backup? The change could not be undone from a backup.";

// What Help "About" says of the licence: none has been chosen for the program yet.
inline constexpr std::string_view kLicence = "Licence: not chosen yet.";

}  // namespace messages
}  // namespace zelbor::editor
