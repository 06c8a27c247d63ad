#include <memory>

#include "commands.h"
#include "db/new_file.h"
#include "sample/sample_database.h"

namespace zelbor::cli {
namespace {

ExitStatus writeSample(const CommandContext& context, const std::string& path) {
  const db::Result<void> written =
      db::writeNewFile(context.fileSystem, path, sample::makeSampleDatabase());
  if (!written) return reportFileError(context, written.error());
  return ExitStatus::Success;
}

}  // namespace

Command addSampleCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "sample", "Write the synthetic sample database to a new file; an existing file is kept");
  auto path = std::make_shared<std::string>();
  parser->add_option("FILE", *path, "The file to create")->required();
  return {parser, [&context, path] { return writeSample(context, *path); }};
}

}  // namespace zelbor::cli
