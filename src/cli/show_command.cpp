#include <memory>

#include "commands.h"
#include "exchange/field_cells.h"
#include "exchange/text_output.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct ShowOptions {
  std::string path;
  std::optional<int> team;
  int slot = 0;
  std::string listFolder;
};

std::string shownValue(const db::PlayerField& field, const db::FieldValue& value,
                       const db::ValueLists& lists) {
  if (const auto* average = std::get_if<float>(&value)) return shortestText(*average);
  if (field.list) return db::describeValue(lists[*field.list], std::get<int>(value));
  return cellText(field, value, kRawNumbers);
}

// One line per record field; an array's elements share its line, separated by spaces.
void printPlayer(std::ostream& out, const db::PlayerRecord& player, const db::ValueLists& lists) {
  const auto record = db::encodePlayerRecord(player);
  std::string_view name;
  std::string line;
  for (const db::PlayerField& field : db::kPlayerFields) {
    if (field.recordName != name && !name.empty()) writeRow(out, {name, line});
    const std::string shown = shownValue(field, db::readField(field, record), lists);
    line = field.recordName == name ? line + " " + shown : shown;
    name = field.recordName;
  }
  writeRow(out, {name, line});
}

ExitStatus showPlayer(const CommandContext& context, const ShowOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  const db::Result<std::vector<db::Byte>> area = database->readPlayerArea(*options.team);
  if (!area) return reportFileError(context, area.error());
  const std::vector<db::PlayerRecord> players =
      db::decodeTeamPlayers(std::span<const db::Byte, db::kPlayerAreaSize>(area.value()));
  const int playerCount = static_cast<int>(players.size());
  if (options.slot > playerCount) {
    // A named slot after the first empty one is stored but never loaded, by the game or by us.
    const db::PlayerRecord stored = db::decodePlayerRecord(
        std::span<const db::Byte>(area.value())
            .subspan(static_cast<std::size_t>(options.slot - 1) * db::kRecordSize)
            .first<db::kRecordSize>());
    context.err << "Team " << *options.team << " has " << playerCount << " loaded players; slot "
                << options.slot
                << (db::isEmptySlot(stored) ? " holds none."
                                            : " holds a player the game does not load.")
                << "\n";
    return ExitStatus::UsageError;
  }
  const db::Result<db::ValueLists> lists =
      db::ValueLists::load(context.fileSystem, options.listFolder);
  if (!lists) return reportFileError(context, lists.error());
  printPlayer(context.out, players.at(static_cast<std::size_t>(options.slot - 1)), lists.value());
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
