#include "sample_database.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string_view>

#include "db/layout.h"
#include "db/text_codec.h"
#include "db/value_tables.h"

namespace zelbor::sample {
namespace {

using db::Byte;
using db::PlayerRecord;

// SplitMix64: small, and the same sequence on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int between(int low, int high) {
    return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
  }
  Byte byte() { return static_cast<Byte>(next()); }
  template <std::size_t N>
  void fill(std::array<Byte, N>& bytes) {
    for (Byte& b : bytes) b = byte();
  }

 private:
  std::uint64_t state_;
};

constexpr std::array<std::string_view, db::kTeamCount> kTeamNames = {
    "Harbour Gulls",      "Northvale Rangers", "Eastmere Herons", "Kestrel",
    "Saltmarsh Mariners", "Copperfield Foxes", "Brackenridge",    "Lowtide Wanderers",
    "Ashgrove Comets",    "Westholm Anchors",  "Redcliff Owls",   "Fernhollow",
    "Stonebridge Larks",  "Marrowdale Pilots", "Sunhaven Otters", "Glenmoor Badgers",
    "Thornwick Falcons"};

constexpr std::array<std::string_view, 32> kFirstNames = {
    "Arlo",  "Bram",   "Cedric",  "Dorian", "Emrys",  "Fenwick", "Gideon", "Hollis",
    "Ivo",   "Jory",   "Kit",     "Lorcan", "Merrin", "Niall",   "Orrin",  "Piran",
    "Quill", "Rafe",   "Soren",   "Tamsin", "Ulric",  "Vaughn",  "Wendel", "Yannick",
    "Zeb",   "Anselm", "Benedek", "Cosmo",  "Dace",   "Élan",    "Faolan", "Gethin"};

constexpr std::array<std::string_view, 40> kSurnames = {
    "Penhallow",  "Ashdown",  "Blackmore", "Carrow",      "Dunmore",   "Ellery",   "Fairweather",
    "Garside",    "Halloran", "Inchley",   "Jessop",      "Kearsley",  "Lanyon",   "Marwood",
    "Nettlefold", "Oakes",    "Pendry",    "Quartermain", "Rosewarne", "Sallow",   "Tregarthen",
    "Upfield",    "Varcoe",   "Whitlock",  "Yelland",     "Zennor",    "Alderney", "Brockhurst",
    "Coverack",   "Delabole", "Eskdale",   "Fowey",       "Gwithian",  "Hartland", "Idless",
    "Jacobstow",  "Kenwyn",   "Lamorna",   "Mylor",       "Nansmoor"};

// How many players each team has before its first empty slot, and how many named players stand
// after that slot (invisible to the editor).
struct TeamShape {
  int playerCount;
  int hiddenAfterGap;
};

constexpr std::array<TeamShape, db::kTeamCount> kTeamShapes = {{{22, 2},
                                                                {48, 0},
                                                                {18, 0},
                                                                {11, 3},
                                                                {48, 0},
                                                                {25, 0},
                                                                {16, 1},
                                                                {20, 0},
                                                                {30, 0},
                                                                {19, 0},
                                                                {24, 2},
                                                                {17, 0},
                                                                {21, 0},
                                                                {26, 0},
                                                                {15, 0},
                                                                {47, 0},
                                                                {23, 1}}};

constexpr int kBatCount = 12;
constexpr int kKitCount = 8;
constexpr int kGuardCount = 6;

template <std::size_t N>
void putText(std::array<Byte, N>& field, std::string_view utf8) {
  field.fill(0);
  const db::Windows1252Text encoded = db::encodeWindows1252(utf8);
  std::copy_n(encoded.bytes.begin(), std::min(N, encoded.bytes.size()), field.begin());
}

std::string playerName(Random& random) {
  return std::string(kFirstNames[random.next() % kFirstNames.size()]) + " " +
         std::string(kSurnames[random.next() % kSurnames.size()]);
}

void fillOpaque(PlayerRecord& r, Random& random) {
  random.fill(r.opaque0);
  random.fill(r.opaque66);
  random.fill(r.opaque70);
  random.fill(r.opaque72);
  random.fill(r.opaque94);
  r.opaque103 = random.byte();
  random.fill(r.opaque104);
  r.opaque161 = random.byte();
  r.opaque162 = random.byte();
  r.opaque163 = random.byte();
  random.fill(r.opaque164);
  r.opaque388 = random.byte();
  r.opaque405 = random.byte();
  random.fill(r.opaque412);
  random.fill(r.opaque422);
}

void fillIdentity(PlayerRecord& r, Random& random, int team, int slot) {
  const std::string name = playerName(random);
  putText(r.realName, name);
  const int variant = (team * 7 + slot) % 13;
  if (variant == 3) {
    // Padded with spaces instead of NULs.
    std::fill(r.realName.begin() + static_cast<std::ptrdiff_t>(name.size()), r.realName.end(),
              Byte{' '});
  } else if (variant == 5 && name.size() + 4 < db::kNameWidth) {
    // Left-over bytes after the terminating NUL.
    r.realName[name.size() + 1] = 'x';
    r.realName[name.size() + 2] = 'q';
  }
  r.spoofName = r.realName;
  r.realFace = static_cast<std::int16_t>(random.between(0, db::kFaceCount - 1));
  r.spoofFace = r.realFace;
  r.realBat = static_cast<Byte>(random.between(0, kBatCount - 1));
  r.spoofBat = r.realBat;
  if (variant == 8 && slot != 1) {  // the player shown first saves without surprises
    putText(r.spoofName, "Player " + std::to_string(slot));
    r.spoofFace = static_cast<std::int16_t>((r.realFace + 17) % db::kFaceCount);
    r.spoofBat = static_cast<Byte>((r.realBat + 1) % kBatCount);
  }
  const int day = random.between(1, 28);
  const int month = random.between(1, 12);
  const int year = random.between(1968, 1990);
  putText(r.dateOfBirth, (day < 10 ? "0" : "") + std::to_string(day) + "/" +
                             (month < 10 ? "0" : "") + std::to_string(month) + "/" +
                             std::to_string(year));
}

void fillStyle(PlayerRecord& r, Random& random, int slot) {
  r.role = slot <= 6 ? 1 : slot == 7 ? 4 : slot == 8 ? 0 : slot <= 11 ? 2 : random.between(0, 4);
  r.battingHand = static_cast<Byte>(random.between(0, 1));
  r.bowlingHand = static_cast<Byte>(random.between(0, 1));
  r.everBowls = r.role == 1 || r.role == 4 ? static_cast<Byte>(random.between(0, 1)) : 1;
  r.defaultCaptain = slot == 1 ? 1 : 0;
  r.bowlStyle = static_cast<Byte>(random.between(0, 15));
  r.bowlAction = static_cast<Byte>(random.between(0, 31));
  r.kit1 = static_cast<Byte>(random.between(0, kKitCount - 1));
  r.kit2 = static_cast<Byte>(random.between(0, kKitCount - 1));
  r.kit3 = static_cast<Byte>(random.between(0, kKitCount - 1));
  r.kit4 = static_cast<Byte>(random.between(0, kKitCount - 1));
  r.armGuard = static_cast<Byte>(random.between(0, kGuardCount - 1));
  r.helmet = static_cast<Byte>(random.between(0, 4));
  r.hat = static_cast<Byte>(random.between(0, 2));
  r.sunscreen = static_cast<Byte>(random.between(0, 6));
  r.glasses = static_cast<Byte>(random.between(0, 7));
  const auto shirt = static_cast<Byte>(slot + random.between(0, 40));
  r.shirtNumbers = {shirt, shirt, shirt, static_cast<Byte>(random.between(0, 1) ? shirt : 0)};
}

void fillAbilities(PlayerRecord& r, Random& random) {
  const bool batsman = r.role == 1 || r.role == 4 || r.role == 0;
  const bool bowler = r.role == 2 || r.role == 0;
  for (Byte& a : r.battingAbilities)
    a = static_cast<Byte>(batsman ? random.between(55, 96) : random.between(10, 60));
  for (Byte& a : r.bowlingAbilities)
    a = static_cast<Byte>(bowler ? random.between(55, 96) : random.between(5, 50));
  for (Byte& a : r.fieldingAbilities) a = static_cast<Byte>(random.between(35, 95));
}

void fillStatistics(PlayerRecord& r, Random& random) {
  const int matches = random.between(0, 260);
  const int innings = std::max(0, matches - random.between(0, 20));
  const int notOuts = std::min(innings, random.between(0, 30));
  const int runs = innings * random.between(5, 45);
  r.matchesODI = static_cast<std::int16_t>(matches);
  r.inningsODI = static_cast<std::int16_t>(innings);
  r.notOutsODI = static_cast<Byte>(notOuts);
  r.runsODI = static_cast<std::int16_t>(runs);
  r.hundredsODI = static_cast<Byte>(runs / 1500);
  r.fiftiesODI = static_cast<Byte>(runs / 400);
  const int balls = r.everBowls ? matches * random.between(6, 54) : 0;
  const int wickets = balls / random.between(30, 60);
  r.ballsBowledODI = static_cast<std::int16_t>(std::min(balls, 32767));
  r.wicketsODI = static_cast<std::int16_t>(wickets);
  r.runsConcededODI =
      static_cast<std::int16_t>(std::min(balls * random.between(60, 110) / 100, 32767));
  r.battingAverageODI =
      innings > notOuts ? static_cast<float>(runs) / static_cast<float>(innings - notOuts) : 0.0f;
  r.bowlingAverageODI =
      wickets > 0 ? static_cast<float>(r.runsConcededODI) / static_cast<float>(wickets) : 0.0f;
  const int bestScore = std::min(runs, random.between(12, 189));
  putText(r.bestBattingODI, std::to_string(bestScore) + (random.between(0, 3) == 0 ? "*" : "") +
                                " v " + std::string(kTeamNames[random.next() % kTeamNames.size()]));
  putText(r.bestBowlingODI, std::to_string(std::min(wickets, random.between(0, 6))) + "/" +
                                std::to_string(random.between(8, 70)));
}

PlayerRecord makePlayer(Random& random, int team, int slot) {
  PlayerRecord r;
  fillOpaque(r, random);
  fillIdentity(r, random, team, slot);
  fillStyle(r, random, slot);
  fillAbilities(r, random);
  fillStatistics(r, random);
  return r;
}

// A few players carry values the window must show and keep exactly: no list item, abilities over
// 99, numbers longer than their boxes, negative runs and averages that are not numbers.
void addOddities(std::array<std::array<PlayerRecord, db::kPlayerSlots>, db::kTeamCount>& teams) {
  PlayerRecord& first = teams[0][0];
  first.battingAbilities = {92, 87, 81, 74};
  first.bowlingAbilities = {31, 55, 68, 12};
  first.fieldingAbilities = {90, 85, 79, 70, 45};
  first.battingAverageODI = 45.5f;
  first.bowlingAverageODI = 32.25f;

  PlayerRecord& odd = teams[16][4];
  odd.role = 7;
  odd.realBat = 40;
  odd.spoofBat = 40;
  odd.realFace = 600;
  odd.spoofFace = 600;
  odd.battingAbilities[0] = 150;
  odd.matchesODI = 1000;
  odd.runsODI = -1;
  odd.bowlingAverageODI = std::numeric_limits<float>::quiet_NaN();
  odd.battingAverageODI = std::numeric_limits<float>::infinity();

  teams[2][3].runsODI = -250;
  teams[2][3].bowlingAverageODI = std::numeric_limits<float>::quiet_NaN();
}

void writeTeamName(std::vector<Byte>& file, int team) {
  std::array<Byte, db::kTeamNameSize> name{};
  putText(name, kTeamNames[team - 1]);
  if (team == 4) {
    // An inner NUL shows as a space: "Kestrel Point".
    putText(name, std::string("Kestrel") + '\0' + "Point");
  } else if (team == 12) {
    // Leading NUL and trailing spaces are trimmed from the shown name.
    std::fill(name.begin(), name.end(), Byte{' '});
    name[0] = 0;
    const std::string_view fern = kTeamNames[team - 1];
    std::copy(fern.begin(), fern.end(), name.begin() + 1);
  }
  std::copy(name.begin(), name.end(), file.begin() + db::teamPositions(team));
}

void writeLineups(std::vector<Byte>& file, Random& random, int team, int playerCount) {
  constexpr std::array<std::pair<int, int>, 4> kLineups = {{{0, 15}, {16, 14}, {32, 16}, {48, 16}}};
  for (const auto& [start, entries] : kLineups) {
    for (int entry = 0; entry < entries; ++entry) {
      Byte value = 255;
      if (entry < 11 || random.between(0, 2) == 0) {
        value = static_cast<Byte>((entry * 5 + team) % playerCount);
      }
      file[db::lineupAreaStart(team) + static_cast<std::size_t>(start + entry)] = value;
    }
  }
  if (team == 1) {
    // An entry naming a slot after the first empty one: not a loaded player.
    file[db::lineupAreaStart(team) + 48 + 15] = static_cast<Byte>(playerCount + 1);
  }
}

}  // namespace

std::vector<Byte> makeSampleDatabase() {
  constexpr std::size_t kTrailingBytes = 866;
  Random random(0x5A454C424F52ULL);
  std::vector<Byte> file(db::kMinimumFileSize + kTrailingBytes);
  for (Byte& b : file) b = random.byte();

  auto teams =
      std::make_unique<std::array<std::array<PlayerRecord, db::kPlayerSlots>, db::kTeamCount>>();
  for (int team = 1; team <= db::kTeamCount; ++team) {
    const TeamShape shape = kTeamShapes[team - 1];
    for (int slot = 1; slot <= db::kPlayerSlots; ++slot) {
      PlayerRecord& r = (*teams)[team - 1][slot - 1];
      const bool named =
          slot <= shape.playerCount ||
          (slot > shape.playerCount + 1 && slot <= shape.playerCount + 1 + shape.hiddenAfterGap);
      if (named) {
        r = makePlayer(random, team, slot);
      } else {
        // Empty slots: NUL names, and some leftover bytes elsewhere that must survive.
        r = PlayerRecord{};
        random.fill(r.opaque104);
      }
    }
  }
  addOddities(*teams);

  for (int team = 1; team <= db::kTeamCount; ++team) {
    writeTeamName(file, team);
    for (int slot = 1; slot <= db::kPlayerSlots; ++slot) {
      db::encodePlayerRecord(
          (*teams)[team - 1][slot - 1],
          std::span<Byte>(file).subspan(db::slotStart(team, slot)).first<db::kRecordSize>());
    }
    writeLineups(file, random, team, kTeamShapes[team - 1].playerCount);
  }
  return file;
}

}  // namespace zelbor::sample
