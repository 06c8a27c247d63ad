#pragma once

#include <array>
#include <string_view>

namespace zelbor::db {

// Texts of the enumerated record fields. A stored value is the 0-based position in its table;
// placeholder rows ("--", "-", "?") are real values and repeated texts are distinct values.
// One row per line: the line's position is the stored value.
// clang-format off

inline constexpr std::array<std::string_view, 5> kRoles = {
    "All-rounder", "Batsman", "Bowler", "-", "Wicket-keeper"};

inline constexpr std::array<std::string_view, 2> kHands = {"Left", "Right"};

inline constexpr std::array<std::string_view, 2> kNoYes = {"No", "Yes"};

inline constexpr std::array<std::string_view, 16> kBowlStyles = {
    "Left Arm Chinaman",
    "Left Arm Fast",
    "Left Arm Fast Medium",
    "Right Arm Leg Break (don't use)",
    "Left Arm Medium",
    "Left Arm Medium Fast",
    "Left Arm Leg Break",
    "Right Arm Leg Break (don't use)",
    "Right Arm Googly",
    "Right Arm Fast",
    "Right Arm Fast Medium",
    "Right Arm Leg Break (OK)",
    "Right Arm Medium",
    "Right Arm Medium Fast",
    "Right Arm Off Break",
    "Slow Left Arm Orthodox"};

inline constexpr std::array<std::string_view, 32> kBowlActions = {
    "Wrist spin - walked approach",
    "Wrist spin - whippy action",
    "Wrist spin - normal",
    "--",
    "--",
    "--",
    "Finger spin - walked approach",
    "Finger spin - bent arm",
    "--",
    "Finger spin - bounding approach",
    "Medium - short run, normal",
    "Medium - short run, wide approach",
    "Medium - long run, normal",
    "Medium - long run, wide approach",
    "--",
    "Pace - short run, chest-on",
    "Pace - short run, normal",
    "Pace - short run, chest-on",
    "--",
    "Pace - short run, slingy",
    "--",
    "Pace - med. run, chest-on",
    "Pace - med. run, normal",
    "Pace - med. run, chest-on",
    "--",
    "Pace - med. run, slingy",
    "--",
    "Pace - long run, chest-on",
    "Pace - long run, normal",
    "Pace - long run, chest-on",
    "--",
    "Pace - long run, slingy"};

inline constexpr std::array<std::string_view, 5> kHelmets = {
    "?", "Generic", "Albion Classic Debut", "Albion Centurion", "Albion Test Series"};

inline constexpr std::array<std::string_view, 3> kHats = {"None", "Sunhat", "Cap"};

inline constexpr std::array<std::string_view, 8> kGlasses = {
    "None", "Clear", "Black", "Blue", "Grey", "Red", "Silver", "White"};

inline constexpr std::array<std::string_view, 7> kSunscreens = {
    "None", "Nose, Under Eyes, Lip", "Nose, Cheeks, Lip", "Nose, Lips", "Lips",
    "Nose, Cheeks", "Maximum"};

// clang-format on

// Face numbers: the list shows "Face 0" to "Face 478"; the picture of face n is faces/n.jpg.
inline constexpr int kFaceCount = 479;

}  // namespace zelbor::db
