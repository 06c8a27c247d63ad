// File-wide search for a player by name, and moving the window to the one picked.
#include "db/text_codec.h"
#include "editor.h"
#include "exchange/name_search.h"

namespace zelbor::editor {

void Editor::mnuFindPlayer_Click(PlayerFinder& finder) {
  // Searching changes nothing: unsaved edits are asked about only once a player of another team
  // is to be shown. The search reads the file as saved.
  if (!database_) return;
  struct Listed {
    PlayerMatch match;
    db::Bytes<db::kNameWidth> name;
  };
  std::vector<Listed> players;
  const db::WalkOutcome walk =
      db::readEachTeam(*database_, [&](int team, std::span<const db::PlayerRecord> records) {
        for (std::size_t slot = 0; slot < records.size(); ++slot) {
          players.push_back({{team, static_cast<int>(slot) + 1, teamLabel(team),
                              db::decodeUpToNul(records[slot].realName)},
                             records[slot].realName});
        }
      });
  if (!walk.ok()) return reportWalkFailure(walk, "The search");
  const std::optional<PlayerMatch> picked = finder.choosePlayer([&](const std::string& text) {
    const exchange::NameSearch search(text);
    std::vector<PlayerMatch> found;
    for (const Listed& player : players) {
      if (search.matches(player.name)) found.push_back(player.match);
    }
    return found;
  });
  if (!picked) return;
  if (picked->team != team_.team()) {
    // As picking the team in the list does, with its question about unsaved edits.
    view_.setSelectedIndex(ListControl::cboTeams, picked->team - 1);
    cboTeams_Click();
    if (team_.team() != picked->team) return;
  }
  selectPlayer(picked->slot - 1);
}

}  // namespace zelbor::editor
