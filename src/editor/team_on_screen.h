#pragma once

#include <vector>

#include "db/database.h"

namespace zelbor::editor {

// The team the main window shows: its players with the edits stored into them, the players as
// loaded or last saved, and the player area they came from, which a save hands to the database to
// compare with the file. It is replaced whole, never reset in parts, and it writes only its own
// team's area.
class TeamOnScreen {
 public:
  // No team.
  TeamOnScreen() = default;

  // The team as the file holds it now.
  static db::Result<TeamOnScreen> LoadTeam(const db::Database& database, int team);

  // 1..17; 0 for no team.
  int team() const { return team_; }
  int playerCount() const { return static_cast<int>(players_.size()); }
  // Players are numbered from 1.
  const db::PlayerRecord& player(int index) const {
    return players_.at(static_cast<std::size_t>(index - 1));
  }
  const std::vector<db::PlayerRecord>& players() const { return players_; }
  // The players as loaded or last saved.
  const std::vector<db::PlayerRecord>& savedPlayers() const { return savedPlayers_; }
  // Whether a stored player shows other values than as loaded or last saved.
  bool storedEdits() const { return storedEdits_; }

  void storePlayer(int index, const db::PlayerRecord& record);
  // Replaces every player, as many as there are; a merge's result.
  void storePlayers(std::vector<db::PlayerRecord> players);

  // One write operation of `players` into the team's area, refused when the area no longer holds
  // what was loaded or last written. Records 1..players.size() are written, the slots after them
  // are not touched; without players nothing is opened. Once written, `players` are the team as
  // saved; after a failure the players on screen stay as they were.
  db::WriteOutcome StoreTeam(const db::Database& database, std::vector<db::PlayerRecord> players,
                             const db::BeforeFirstWrite& beforeFirstWrite);

 private:
  TeamOnScreen(int team, std::vector<db::Byte> area);
  void compareWithSaved();

  int team_ = 0;
  std::vector<db::PlayerRecord> players_;
  std::vector<db::PlayerRecord> savedPlayers_;
  bool storedEdits_ = false;
  // The area as read or last written, and after a write that may have stopped part-way, what it
  // was writing.
  db::TeamAreaWrite snapshot_;
};

}  // namespace zelbor::editor
