#include "sample_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sample/sample_database.h"

namespace zelbor::bench {

const std::string& sampleDatabaseFile() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "zelbor-bench-TeamAndPlayerInfo.bag";
    const auto bytes = sample::makeSampleDatabase();
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ::fsync(fd);
    ::close(fd);
    return file.string();
  }();
  return path;
}

}  // namespace zelbor::bench
