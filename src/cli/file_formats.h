#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace zelbor::cli {

// Whether this build reads and writes xlsx workbooks: the Windows cross build lacks the libraries.
bool buildHasXlsx();

// The --format values of players' tables this build has, for help and messages: "csv, json or
// xlsx".
std::string formatNames();

// Why this build cannot take `format`, one of json, csv and xlsx; empty when it can.
std::string lackingFormatReason(const std::string& format);

// A --format value of players' tables this build has: a format it lacks is wrong usage, refused
// before anything is read.
CLI::Validator formatOfThisBuild();

}  // namespace zelbor::cli
