#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "commands.h"
#include "sample/sample_database.h"

namespace zelbor::cli {
namespace {

db::FileError systemError(const std::string& path, const std::string& action, int error) {
  return {path, "Cannot " + action + " \"" + path + "\": " + std::strerror(error) + "."};
}

// Writes the bytes to a file that must not exist yet; a file it leaves half-written is removed.
std::optional<db::FileError> writeNewFile(const std::string& path,
                                          const std::vector<db::Byte>& bytes) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return systemError(path, "create", errno);
  std::size_t done = 0;
  int error = 0;
  while (done < bytes.size() && error == 0) {
    const ssize_t put = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) error = put < 0 ? errno : EIO;
    if (put > 0) done += static_cast<std::size_t>(put);
  }
  if (error == 0 && ::fsync(descriptor) != 0) error = errno;
  if (::close(descriptor) != 0 && error == 0 && errno != EINTR) error = errno;
  if (error == 0) return std::nullopt;
  ::unlink(path.c_str());
  return systemError(path, "write", error);
}

ExitStatus writeSample(const CommandContext& context, const std::string& path) {
  if (const auto error = writeNewFile(path, sample::makeSampleDatabase())) {
    return reportFileError(context, *error);
  }
  return ExitStatus::Success;
}

}  // namespace

Command addSampleCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "sample", "Write the synthetic sample database to a new file; an existing file is kept");
  auto path = std::make_shared<std::string>();
  parser->add_option("FILE", *path, "The file to create")->required();
  return {parser, [&context, path] { return writeSample(context, *path); }};
}

}  // namespace zelbor::cli
