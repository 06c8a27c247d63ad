#include <cstdio>
#include <fstream>
#include <iostream>

#include "sample/sample_database.h"

// Writes the synthetic sample database to the path given (replacing it: this is a build step).
int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: make-sample-database OUTPUT\n";
    return 1;
  }
  const auto bytes = zelbor::sample::makeSampleDatabase();
  const std::string temporary = std::string(argv[1]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::cerr << "make-sample-database: cannot write " << temporary << "\n";
      return 2;
    }
  }
  if (std::rename(temporary.c_str(), argv[1]) != 0) {
    std::perror("make-sample-database");
    return 2;
  }
  return 0;
}
