#include <csignal>
#include <filesystem>
#include <iostream>

#include "cli/cli.h"

namespace {

// The folder of the running executable, where the list files lie beside it.
std::string programFolder(const char* invokedAs) {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return executable.parent_path().string();
  return std::filesystem::absolute(invokedAs, error).parent_path().string();
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
  // A write past the file-size limit then fails with EFBIG and is reported like any other error,
  // instead of the signal ending the program part-way through a walk without a word.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return zelbor::cli::runCli(arguments, std::cout, std::cerr,
                             {zelbor::db::systemFileSystem(), programFolder(argv[0]), &std::cin});
}
