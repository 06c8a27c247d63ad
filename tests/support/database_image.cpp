#include "database_image.h"

#include <algorithm>
#include <string>

#include "db/text_codec.h"

namespace zelbor::testing {

std::vector<db::Byte> blankDatabase(std::size_t size) {
  std::vector<db::Byte> image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<db::Byte>((i * 31 + 7) % 251 + 1);
  for (int team = 1; team <= db::kTeamCount; ++team) {
    for (int slot = 1; slot <= db::kPlayerSlots; ++slot) {
      std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(db::slotStart(team, slot) + 2),
                  db::kNameWidth, db::Byte{0});
    }
  }
  return image;
}

db::PlayerRecord namedPlayer(std::string_view name, unsigned seed) {
  std::array<db::Byte, db::kRecordSize> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<db::Byte>((i * 7 + seed * 13) % 97);
  }
  db::PlayerRecord player = db::decodePlayerRecord(bytes);
  const auto putText = [](auto& field, std::string_view text) {
    field.fill(0);
    const auto encoded = db::encodeWindows1252(text).bytes;
    std::copy_n(encoded.begin(), std::min(encoded.size(), field.size()), field.begin());
  };
  putText(player.realName, name);
  putText(player.dateOfBirth, "0" + std::to_string(seed % 9 + 1) + "/02/1980");
  putText(player.bestBattingODI, std::to_string(seed % 150) + "*");
  putText(player.bestBowlingODI, "3/" + std::to_string(seed % 60));
  // Stored as the editor would store it, so showing and storing it unedited changes no byte.
  player.spoofName = player.realName;
  player.spoofFace = player.realFace;
  player.spoofBat = player.realBat;
  return player;
}

db::PlayerRecord untidyPlayer(db::PlayerRecord player) {
  const auto endOfText = [](const auto& field) {
    return static_cast<std::size_t>(std::find(field.begin(), field.end(), 0) - field.begin());
  };
  std::fill(player.realName.begin() + static_cast<std::ptrdiff_t>(endOfText(player.realName)),
            player.realName.end(), ' ');
  const std::string birth = "  01/02/1980 ";
  player.dateOfBirth.fill(0);
  std::copy(birth.begin(), birth.end(), player.dateOfBirth.begin());
  player.bestBattingODI[endOfText(player.bestBattingODI) + 1] = 'z';
  player.spoofName.fill(0);
  player.spoofName[0] = 'S';
  player.spoofFace = static_cast<std::int16_t>(player.realFace + 3);
  player.spoofBat = static_cast<db::Byte>(player.realBat + 1);
  return player;
}

db::PlayerRecord savedAsDesigned(db::PlayerRecord player) {
  const auto tidy = [](auto& field) {
    const auto end = std::find(field.begin(), field.end(), 0);
    const auto first = std::find_if(field.begin(), end, [](db::Byte b) { return b != ' '; });
    auto last = end;
    while (last != first && *(last - 1) == ' ') --last;
    std::vector<db::Byte> text(first, last);
    field.fill(0);
    std::copy(text.begin(), text.end(), field.begin());
  };
  tidy(player.realName);
  tidy(player.dateOfBirth);
  tidy(player.bestBattingODI);
  tidy(player.bestBowlingODI);
  player.spoofName = player.realName;
  player.spoofFace = player.realFace;
  player.spoofBat = player.realBat;
  return player;
}

void putPlayer(std::vector<db::Byte>& image, int team, int slot, const db::PlayerRecord& player) {
  db::encodePlayerRecord(
      player,
      std::span<db::Byte>(image).subspan(db::slotStart(team, slot)).first<db::kRecordSize>());
}

db::PlayerRecord playerAt(const std::vector<db::Byte>& image, int team, int slot) {
  return db::decodePlayerRecord(
      std::span<const db::Byte>(image).subspan(db::slotStart(team, slot)).first<db::kRecordSize>());
}

std::vector<db::Byte> playerArea(const std::vector<db::Byte>& image, int team) {
  const auto start = image.begin() + static_cast<std::ptrdiff_t>(db::playerAreaStart(team));
  return {start, start + static_cast<std::ptrdiff_t>(db::kPlayerAreaSize)};
}

void putTeamName(std::vector<db::Byte>& image, int team, std::string_view rawBytes) {
  const auto start = image.begin() + db::teamPositions(team);
  std::fill_n(start, db::kTeamNameSize, db::Byte{0});
  std::copy_n(rawBytes.begin(), std::min(rawBytes.size(), db::kTeamNameSize), start);
}

void putTeam(std::vector<db::Byte>& image, int team, int count, std::string_view prefix) {
  for (int slot = 1; slot <= count; ++slot) {
    putPlayer(image, team, slot,
              namedPlayer(std::string(prefix) + " " + std::to_string(slot),
                          static_cast<unsigned>(team * 100 + slot)));
  }
}

}  // namespace zelbor::testing
