#include <memory>

#include "commands.h"
#include "team_scope.h"
#include "tools/file_hash.h"

namespace zelbor::cli {
namespace {

ExitStatus printHash(const CommandContext& context, const std::string& path) {
  std::optional<db::Database> database = openDatabase(context, path);
  if (!database) return ExitStatus::FileError;
  const db::Result<std::string> hash = tools::fileHash(*database);
  if (!hash) return reportFileError(context, hash.error());
  context.out << hash.value() << '\n';
  return ExitStatus::Success;
}

}  // namespace

Command addHashCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand("hash", "Print the file authentication string");
  auto path = std::make_shared<std::string>();
  addFileArgument(*parser, *path);
  return {parser, [&context, path] { return printHash(context, *path); }};
}

}  // namespace zelbor::cli
