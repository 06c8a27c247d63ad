#pragma once

#include <string>

namespace zelbor::testing {

struct ProcessResult {
  int exitCode = -1;   // -1 when the process did not exit normally
  std::string output;  // standard output and standard error together
};

// Runs a shell command (cmd.exe on Windows) and collects what it prints.
ProcessResult runCommand(const std::string& command);

// `text` quoted for that shell.
std::string shellQuoted(const std::string& text);

}  // namespace zelbor::testing
