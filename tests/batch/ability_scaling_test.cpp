#include "batch/ability_scaling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace zelbor::batch {
namespace {

float factorForPercent(int percent) {
  return factorForSliderValue(100 - percent);
}

TEST(AbilityScaling, SinglePrecisionFactorsDecideTheHalves) {
  const struct {
    int percent;
    int value;
    int expected;
  } cases[] = {
      {50, 1, 0},    {50, 3, 2},     {50, 5, 2},    {50, 99, 50}, {90, 15, 13},
      {90, 55, 49},  {90, 255, 229}, {10, 5, 1},    {10, 25, 3},  {95, 10, 9},
      {80, 100, 80}, {80, 80, 64},   {100, 77, 77}, {0, 255, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(scaleAbility(static_cast<std::uint8_t>(c.value), factorForPercent(c.percent)),
              c.expected)
        << c.value << " at " << c.percent << "%";
  }
}

// b x f with f = M x 2^-k exactly (M the 24-bit significand), rounded half to even in integers.
int exactlyScaled(int value, float factor) {
  if (factor == 0) return 0;
  int exponent = 0;
  const double fraction = std::frexp(static_cast<double>(factor), &exponent);
  const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
  const int shift = 24 - exponent;
  const std::uint64_t numerator = static_cast<std::uint64_t>(value) * significand;
  std::uint64_t quotient = numerator >> shift;
  const std::uint64_t remainder = numerator & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++quotient;
  return static_cast<int>(quotient);
}

TEST(AbilityScaling, EveryByteAtEveryPercentageMatchesExactArithmetic) {
  for (int percent = 0; percent <= 100; ++percent) {
    const float factor = factorForPercent(percent);
    ASSERT_EQ(factor, static_cast<float>(percent / 100.0));
    for (int value = 0; value < 256; ++value) {
      ASSERT_EQ(scaleAbility(static_cast<std::uint8_t>(value), factor),
                exactlyScaled(value, factor))
          << value << " at " << percent << "%";
    }
  }
}

TEST(AbilityScaling, FactorsOutsideZeroToOneAreClampedNotWrapped) {
  EXPECT_EQ(scaleAbility(200, 2.0f), 255);
  EXPECT_EQ(scaleAbility(200, -1.0f), 0);
  EXPECT_EQ(scaleAbility(200, INFINITY), 255);
  EXPECT_EQ(scaleAbility(200, NAN), 200);
}

TEST(AbilityScaling, ScalesTheEightBattingAndBowlingBytesOnly) {
  db::PlayerRecord player;
  player.battingAbilities = {100, 100, 100, 100};
  player.bowlingAbilities = {100, 100, 100, 100};
  player.fieldingAbilities = {100, 100, 100, 100, 100};
  BatchFactors factors;
  factors.batting[2] = factorForSliderValue(25);
  factors.bowling[0] = factorForSliderValue(100);
  db::PlayerRecord expected = player;
  expected.battingAbilities[2] = 75;
  expected.bowlingAbilities[0] = 0;
  EXPECT_EQ(scalePlayer(player, factors), 2);
  EXPECT_EQ(db::encodePlayerRecord(player), db::encodePlayerRecord(expected));
  EXPECT_EQ(percentLabel(0), "100%");
  EXPECT_EQ(percentLabel(25), "75%");
  EXPECT_EQ(percentLabel(100), "0%");
}

}  // namespace
}  // namespace zelbor::batch
