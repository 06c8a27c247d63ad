#pragma once

#include <memory>
#include <string>

#include "backup_chooser.h"
#include "exchange_windows.h"

namespace zelbor::editor {

// The front end's windows beyond the main one, opened for the menus' commands. Each window made
// here lives for one command.
class SecondaryWindows {
 public:
  virtual ~SecondaryWindows() = default;
  virtual std::unique_ptr<BackupChooser> backupChooser() = 0;
  virtual std::unique_ptr<ExchangeWindows> exchangeWindows() = 0;
  virtual std::unique_ptr<PlayerFinder> playerFinder() = 0;
  // The batch window for `teamName`, modal; true when "Process" closed it, also when the user
  // then declined the batch's question.
  virtual bool showBatchWindow(const std::string& teamName) = 0;
  // Closes the main window as its title bar's button does, which asks about unsaved edits first.
  virtual void closeMainWindow() = 0;
};

}  // namespace zelbor::editor
