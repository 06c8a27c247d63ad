// A save found the team changed in the file by another program: reload it, merge the user's edits
// into it, or keep the edits on screen unsaved.
#include <algorithm>

#include "db/player_fields.h"
#include "db/text_codec.h"
#include "editor.h"
#include "messages.h"
#include "team_merge.h"

namespace zelbor::editor {
namespace {

std::string playerList(const std::vector<int>& players) {
  std::string listed;
  for (const int player : players) {
    if (!listed.empty()) listed += ", ";
    listed += std::to_string(player);
  }
  return listed;
}

}  // namespace

void Editor::offerReloadOfChangedTeam(const db::PlayerRecord& current) {
  const std::string text =
      "Team " + teamLabel(team_.team()) + " was changed in \"" + database_->databasePath().utf8() +
      "\" by another program since the editor loaded it, so nothing was written.\r\n\r\n"
      "Reload Team shows the team as it is in the file now; your unsaved edits of it are "
      "dropped. Merge shows the team as it is in the file now with the fields you edited on top, "
      "unsaved. Keep Edits leaves your edits on screen, unsaved: the team cannot be saved until it "
      "is reloaded or merged.";
  switch (prompts_.askAboutChangedTeam(text)) {
    case TeamChangedChoice::ReloadTeam:
      restoreView(team_.team() - 1, currentPlayer_ - 1);
      break;
    case TeamChangedChoice::Merge:
      mergeChangedTeam(current);
      break;
    case TeamChangedChoice::KeepEdits:
      break;
  }
}

void Editor::mergeChangedTeam(const db::PlayerRecord& current) {
  std::vector<db::PlayerRecord> edited = team_.players();
  edited.at(static_cast<std::size_t>(currentPlayer_ - 1)) = current;
  const db::Result<std::vector<db::PlayerRecord>> inFile = database_->readTeamPlayers(team_.team());
  if (!inFile) return reportError(inFile.error().message);
  const TeamMerge asked = mergeTeam(team_.savedPlayers(), edited, inFile.value(), true);
  if (!asked.missingPlayers.empty()) {
    // Nothing changes: the edits stay on screen and the team still cannot be saved.
    return reportError(messages::mergeMissingPlayers(
        teamLabel(team_.team()), playerList(asked.missingPlayers), asked.missingPlayers.size()));
  }
  const bool keepUsersValues =
      asked.conflicts.empty() || prompts_.askYesNoDefaultNo(mergeConflictQuestion(
                                     asked, edited, inFile.value())) == Answer::Yes;

  // The team is loaded again so that a save compares the file with what the merge started from:
  // normally what was read above, newer if the file changed again while the question was open.
  db::Result<TeamOnScreen> reloaded = TeamOnScreen::LoadTeam(*database_, team_.team());
  if (!reloaded) return reportError(reloaded.error().message);
  TeamMerge merged =
      mergeTeam(team_.savedPlayers(), edited, reloaded.value().players(), keepUsersValues);
  team_ = std::move(reloaded).value();
  team_.storePlayers(std::move(merged.players));

  loadingTeam_ = true;
  FillPlayerList();
  if (team_.playerCount() == 0) {
    showNoPlayer();
  } else {
    selectPlayer(std::min(currentPlayer_, team_.playerCount()) - 1);
  }
  if (!merged.missingPlayers.empty()) {
    reportError(messages::mergeMissingPlayers(
        teamLabel(team_.team()), playerList(merged.missingPlayers), merged.missingPlayers.size()));
  }
}

std::string Editor::mergeConflictQuestion(const TeamMerge& merge,
                                          const std::vector<db::PlayerRecord>& edited,
                                          const std::vector<db::PlayerRecord>& inFile) const {
  std::string listed;
  for (const FieldConflict& conflict : merge.conflicts) {
    const auto index = static_cast<std::size_t>(conflict.player - 1);
    listed +=
        "Player " + std::to_string(conflict.player) + " (" +
        db::decodeUpToNul(inFile[index].realName) + "), " +
        std::visit([](auto control) { return std::string(caption(control)); }, conflict.control) +
        ": the file holds " + shownValue(conflict.control, inFile[index]) + ", you entered " +
        shownValue(conflict.control, edited[index]) + "\r\n";
  }
  return messages::mergeConflictQuestion(teamLabel(team_.team()), listed);
}

std::string Editor::shownValue(Control control, const db::PlayerRecord& record) const {
  const PlayerForm form = formFromRecord(record, environment_.decimalSeparator);
  if (const TextBox* box = std::get_if<TextBox>(&control)) return "\"" + form.text(*box) + "\"";
  const ListControl list = std::get<ListControl>(control);
  const int selected = form.selection(list);
  const auto& listed = listItems_[static_cast<std::size_t>(list)];
  if (selected >= 0 && static_cast<std::size_t>(selected) < listed.size()) {
    return "\"" + listed[static_cast<std::size_t>(selected)] + "\"";
  }
  return std::to_string(selected);
}

}  // namespace zelbor::editor
