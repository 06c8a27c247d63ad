#pragma once

#include <string>

namespace CLI {
class Option;
}

namespace zelbor::cli {

// The --format values of players' tables this build has, for help and messages: "csv, json or
// xlsx".
std::string formatNames();

// Why this build cannot take `format`, one of json, csv and xlsx; empty when it can.
std::string lackingFormatReason(const std::string& format);

// Lets a --format option take the formats of players' tables this build has, and help list only
// those: a format it lacks is wrong usage, refused with the reason before anything is read.
CLI::Option* takeFormatsOfThisBuild(CLI::Option* option);

}  // namespace zelbor::cli
