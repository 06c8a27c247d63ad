#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup_chooser.h"

namespace zelbor::editor {

// A player of any team as the find window lists it.
struct PlayerMatch {
  int team = 0;  // 1..17
  int slot = 0;  // 1-based
  std::string teamName;
  std::string name;
};

// The front end's "Find Player..." window.
class PlayerFinder {
 public:
  virtual ~PlayerFinder() = default;
  // Lists matches(text) as the user types; the match picked, or nothing on Cancel.
  virtual std::optional<PlayerMatch> choosePlayer(
      const std::function<std::vector<PlayerMatch>(const std::string&)>& matches) = 0;
};

// What an import would do: its changes, or the cells refused (then nothing can be applied).
struct ImportPreviewRows {
  std::string input;    // the file read
  std::string reading;  // how it was read: encoding and separator; empty for JSON and xlsx
  std::vector<RestoreChange> changes;  // `restored` holds the value imported
  std::vector<std::string> refused;    // each "row N, column C, value "V": reason"
  std::vector<std::string> notes;      // cells valid but not written, with the reason
};

// The front end's windows for File "Import Players..." and "Export Players...".
class ExchangeWindows {
 public:
  virtual ~ExchangeWindows() = default;
  // A players' table to read (xlsx, CSV, JSON); empty on Cancel.
  virtual std::string chooseTableToImport() = 0;
  // Where to export the players; the file type chosen gives the format. Empty on Cancel.
  virtual std::string chooseExportPath() = 0;
  // Shows the preview; true on Apply, which is offered only with changes and no refused cell.
  virtual bool confirmImport(const ImportPreviewRows& preview) = 0;
  // Where to save the differences as a patch; empty on Cancel.
  virtual std::string choosePatchPath() = 0;
  // Another database to compare the open one with; empty on Cancel.
  virtual std::string chooseDatabaseToCompare() = 0;
  // Lists the differences, a row each; true when the user asks to save them as a patch.
  virtual bool showDifferences(const std::string& title,
                               const std::vector<RestoreChange>& differences,
                               bool canSavePatch) = 0;
};

}  // namespace zelbor::editor
