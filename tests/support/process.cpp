#include "process.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <array>
#include <cstdio>

namespace zelbor::testing {

ProcessResult runCommand(const std::string& command) {
  ProcessResult result;
#ifdef _WIN32
  // cmd.exe /c drops the outer quotes, so the command keeps its own.
  FILE* pipe = ::_popen(("\"" + command + " 2>&1\"").c_str(), "r");
#else
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
#endif
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) result.output += buffer.data();
#ifdef _WIN32
  result.exitCode = ::_pclose(pipe);
#else
  const int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  return result;
}

std::string shellQuoted(const std::string& text) {
#ifdef _WIN32
  // Windows file names hold no double quotes.
  return "\"" + text + "\"";
#else
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
#endif
}

}  // namespace zelbor::testing
