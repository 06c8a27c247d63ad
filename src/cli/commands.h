#pragma once

#include "command.h"

namespace zelbor::cli {

// Each declares its subcommand and options on `app` and returns what runs it.
Command addTeamsCommand(CLI::App& app, const CommandContext& context);
Command addPlayersCommand(CLI::App& app, const CommandContext& context);
Command addShowCommand(CLI::App& app, const CommandContext& context);
Command addExportCommand(CLI::App& app, const CommandContext& context);
Command addLineupsCommand(CLI::App& app, const CommandContext& context);
Command addHashCommand(CLI::App& app, const CommandContext& context);
Command addCheckCommand(CLI::App& app, const CommandContext& context);
Command addBatchCommand(CLI::App& app, const CommandContext& context);
Command addFixSpoofCommand(CLI::App& app, const CommandContext& context);
Command addSampleCommand(CLI::App& app, const CommandContext& context);
Command addImportCommand(CLI::App& app, const CommandContext& context);
Command addDiffCommand(CLI::App& app, const CommandContext& context);
Command addBackupsCommand(CLI::App& app, const CommandContext& context);
Command addRestoreCommand(CLI::App& app, const CommandContext& context);

}  // namespace zelbor::cli
