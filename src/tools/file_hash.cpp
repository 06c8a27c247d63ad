#include "file_hash.h"

#include <charconv>
#include <numeric>

namespace zelbor::tools {
namespace {

std::string upperHex(std::int32_t value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  std::string text(digits, end);
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
  return text;
}

template <std::size_t N>
std::int32_t sum(const std::array<std::uint8_t, N>& bytes) {
  return std::accumulate(bytes.begin(), bytes.end(), std::int32_t{0});
}

}  // namespace

void AbilityTotals::add(const db::PlayerRecord& player) {
  battingSum += sum(player.battingAbilities);
  bowlingSum += sum(player.bowlingAbilities);
  fieldingSum += sum(player.fieldingAbilities);
}

void AbilityTotals::add(std::span<const db::PlayerRecord> players) {
  for (const db::PlayerRecord& player : players) add(player);
}

db::WalkOutcome sumAllTeams(const db::Database& database, AbilityTotals& totals) {
  return db::readEachTeam(
      database, [&totals](int, std::span<const db::PlayerRecord> players) { totals.add(players); });
}

std::string hashString(const AbilityTotals& totals) {
  return upperHex(totals.battingSum) + "-" + upperHex(totals.bowlingSum) + "-" +
         upperHex(totals.fieldingSum);
}

db::Result<std::string> fileHash(const db::Database& database) {
  AbilityTotals totals;
  const db::WalkOutcome walk = sumAllTeams(database, totals);
  if (!walk.ok()) return *walk.error;
  return hashString(totals);
}

}  // namespace zelbor::tools
