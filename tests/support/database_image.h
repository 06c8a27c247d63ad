#pragma once

#include <string_view>
#include <vector>

#include "db/layout.h"
#include "db/player_record.h"

namespace zelbor::testing {

// A database file image whose every byte carries a position-dependent pattern, so a write to any
// byte outside the expected ones shows in a whole-file comparison. All player slots start empty.
std::vector<db::Byte> blankDatabase(std::size_t size = db::kMinimumFileSize);

// A player whose name is `name` (Windows-1252, NUL-padded), whose other numbers and opaque bytes
// are filled from `seed`, with clean texts and spoof fields equal to the real ones: storing it
// unedited from the editor gives the same bytes.
db::PlayerRecord namedPlayer(std::string_view name, unsigned seed = 1);

// `player` with what a save tidies: a name padded with spaces to the field's end, a date of birth
// with spaces around it, bytes after the NUL ending the best batting, and a spoof name, face and
// bat of their own.
db::PlayerRecord untidyPlayer(db::PlayerRecord player);

// `player` as a save of the controls showing him must leave him, written out apart from the
// editor's code: the five texts trimmed of spaces and NUL-padded, the spoof fields equal to the
// real ones, every other byte as it was.
db::PlayerRecord savedAsDesigned(db::PlayerRecord player);

void putPlayer(std::vector<db::Byte>& image, int team, int slot, const db::PlayerRecord& player);
db::PlayerRecord playerAt(const std::vector<db::Byte>& image, int team, int slot);
// The 20736 bytes of a team's player area.
std::vector<db::Byte> playerArea(const std::vector<db::Byte>& image, int team);

void putTeamName(std::vector<db::Byte>& image, int team, std::string_view rawBytes);

// Gives team `team` players named "<prefix> 1".."<prefix> count" in slots 1..count.
void putTeam(std::vector<db::Byte>& image, int team, int count, std::string_view prefix = "Player");

}  // namespace zelbor::testing
