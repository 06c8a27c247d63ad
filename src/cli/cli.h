#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "db/file_access.h"

namespace zelbor::cli {

struct CliEnvironment {
  db::FileSystem& fileSystem;
  // Where the list files are unless --lists names another folder.
  std::string programFolder;
  // What `-` names as an input file; none reads nothing.
  std::istream* standardInput = nullptr;
};

// Runs one zelbor-db command line, the program's name left out, and returns the exit status:
// 0 success, 1 wrong usage, 2 a file error, 3 findings of check or diff, 4 invalid import input,
// 5 written but a later step failed (see ExitStatus).
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment);

}  // namespace zelbor::cli
