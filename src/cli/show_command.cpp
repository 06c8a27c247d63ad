#include <memory>
#include <sstream>

#include "commands.h"
#include "player_fields.h"
#include "text_output.h"
#include "value_lists.h"

namespace zelbor::cli {
namespace {

struct ShowOptions {
  std::string path;
  std::optional<int> team;
  int slot = 0;
  std::string listFolder;
};

std::string joined(const std::vector<int>& numbers) {
  std::ostringstream text;
  for (std::size_t i = 0; i < numbers.size(); ++i) text << (i == 0 ? "" : " ") << numbers[i];
  return text.str();
}

std::string fieldText(const PlayerField& field, const ValueLists& lists) {
  if (const auto* text = std::get_if<std::string>(&field.value)) return *text;
  if (const auto* numbers = std::get_if<std::vector<int>>(&field.value)) return joined(*numbers);
  if (const auto* average = std::get_if<float>(&field.value)) return shortestText(*average);
  const int number = std::get<int>(field.value);
  const ValueList* list = lists.find(field.name);
  return list != nullptr ? describeValue(*list, number) : std::to_string(number);
}

ExitStatus showPlayer(const CommandContext& context, const ShowOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  if (db::Result<void> loaded = database->LoadTeam(*options.team); !loaded) {
    return reportFileError(context, loaded.error());
  }
  if (options.slot > database->playerCount()) {
    // A named slot after the first empty one is stored but never loaded, by the game or by us.
    const db::Result<std::vector<db::Byte>> area = database->readPlayerArea(*options.team);
    if (!area) return reportFileError(context, area.error());
    const db::PlayerRecord stored = db::decodePlayerRecord(
        std::span<const db::Byte>(area.value())
            .subspan(static_cast<std::size_t>(options.slot - 1) * db::kRecordSize)
            .first<db::kRecordSize>());
    context.err << "Team " << *options.team << " has " << database->playerCount()
                << " loaded players; slot " << options.slot
                << (db::isEmptySlot(stored) ? " holds none."
                                            : " holds a player the game does not load.")
                << "\n";
    return ExitStatus::UsageError;
  }
  const db::Result<ValueLists> lists = ValueLists::load(context.fileSystem, options.listFolder);
  if (!lists) return reportFileError(context, lists.error());
  for (const PlayerField& field : interpretedFields(database->player(options.slot))) {
    writeRow(context.out, {field.name, fieldText(field, lists.value())});
  }
  return ExitStatus::Success;
}

}  // namespace

Command addShowCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser =
      app.add_subcommand("show", "Print every interpreted field of one player: field, value");
  auto options = std::make_shared<ShowOptions>();
  addFileArgument(*parser, options->path);
  addTeamOption(*parser, options->team, "The player's team, 1..17")->required();
  parser->add_option("--slot", options->slot, "The player's slot, 1..48")
      ->required()
      ->transform(wholeNumberIn(1, db::kPlayerSlots));
  addListsOption(*parser, options->listFolder, context);
  return {parser, [&context, options] { return showPlayer(context, *options); }};
}

}  // namespace zelbor::cli
