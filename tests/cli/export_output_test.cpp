// export --output through the file system seam: every call of the replacement failing in turn,
// the entries written in place rather than replaced, and links.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "support/database_image.h"
#include "support/faulty_file_system.h"
#include "support/temp_file.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <fstream>
#include <future>
#endif

namespace zelbor::cli {
namespace {

using ::testing::AnyOf;
using ::testing::HasSubstr;
using zelbor::testing::Fault;
using zelbor::testing::FaultyFileSystem;
using zelbor::testing::FileCall;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;

using Image = std::vector<db::Byte>;

class ExportOutputTest : public ::testing::Test {
 protected:
  ExportOutputTest() {
    zelbor::testing::putTeam(database_, 2, 4, "Output");
    writeFileBytes(databasePath_, database_);
    writeFileBytes(output_, oldOutput_);
  }

  struct Outcome {
    int status;
    std::string out, err;
  };

  Outcome run(db::FileSystem& fileSystem, const std::string& output) {
    std::ostringstream out, err;
    const int status =
        runCli({"export", databasePath_, "--format", "csv", "--output", output}, out, err,
               {fileSystem, dir_.path().string()});
    return {status, out.str(), err.str()};
  }

  // The folder's entries; a temporary file left only when removing it failed too is passed over.
  std::vector<std::string> entries(bool temporaryFilesToo = true) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      if (temporaryFilesToo || entry.path().extension() != ".tmp")
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
  }

  TempDir dir_;
  Image database_ = zelbor::testing::blankDatabase();
  std::string databasePath_ = dir_.file("TeamAndPlayerInfo.bag");
  std::string output_ = dir_.file("players.csv");
  Image oldOutput_ = Image(5000, 'o');
};

TEST_F(ExportOutputTest, EveryFailingCallLeavesTheOutputOldOrNewAndIsReported) {
  FaultyFileSystem clean(db::systemFileSystem());
  ASSERT_EQ(run(clean, output_).status, 0);
  const Image newOutput = readFileBytes(output_);
  ASSERT_NE(newOutput, oldOutput_);
  const std::vector<FileCall> calls = clean.calls();
  const auto rename = std::ranges::find(calls, FileCall::Rename);
  ASSERT_NE(rename, calls.end());
  const int renameCall = static_cast<int>(rename - calls.begin()) + 1;
  for (const FileCall call : {FileCall::SameFile, FileCall::Examine, FileCall::Create,
                              FileCall::Write, FileCall::Sync, FileCall::Close, FileCall::SyncFolder}) {
    EXPECT_NE(std::ranges::find(calls, call), calls.end()) << "the loop reaches every step";
  }
  const std::vector<std::string> before = entries();

  const auto fails = [](int k, bool onwards) {
    return [k, onwards](int call, FileCall) {
      return call == k || (onwards && call > k) ? Fault::Fail : Fault::None;
    };
  };
  for (int k = 1; k <= static_cast<int>(calls.size()); ++k) {
    for (const bool onwards : {false, true}) {
      SCOPED_TRACE("call " + std::to_string(k) + (onwards ? " and the later ones" : "") +
                   " fail");
      writeFileBytes(output_, oldOutput_);
      for (const std::string& name : entries()) {
        if (std::filesystem::path(name).extension() == ".tmp") std::filesystem::remove(dir_.path() / name);
      }
      FaultyFileSystem faulty(db::systemFileSystem());
      faulty.setRule(fails(k, onwards));
      const Outcome outcome = run(faulty, output_);
      EXPECT_EQ(outcome.status, 2) << outcome.err;
      EXPECT_THAT(outcome.err, AnyOf(HasSubstr(output_), HasSubstr(databasePath_)));
      const Image after = readFileBytes(output_);
      if (k <= renameCall) {
        EXPECT_EQ(after, oldOutput_) << "a failure up to the rename leaves the old file";
      } else {
        EXPECT_EQ(after, newOutput) << "a failure after it leaves the new file whole";
      }
      EXPECT_EQ(entries(!onwards), before) << "no temporary file is left";
      EXPECT_EQ(faulty.openFiles(), 0);
      EXPECT_EQ(readFileBytes(databasePath_), database_);
    }
  }
}

#ifndef _WIN32
TEST_F(ExportOutputTest, AFifoIsWrittenInPlaceALinkStaysALinkAndANewFileFollowsTheUmask) {
  FaultyFileSystem fileSystem(db::systemFileSystem());
  ASSERT_EQ(run(fileSystem, output_).status, 0);
  const Image expected = readFileBytes(output_);
  ASSERT_NE(expected, oldOutput_);

  const std::string fifo = dir_.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto read = std::async(std::launch::async, [&] {
    std::ifstream in(fifo, std::ios::binary);
    return Image(std::istreambuf_iterator<char>(in), {});
  });
  EXPECT_EQ(run(fileSystem, fifo).status, 0);
  EXPECT_EQ(read.get(), expected);

  const std::string target = dir_.file("target.csv");
  const std::string link = dir_.file("link.csv");
  writeFileBytes(target, oldOutput_);
  std::filesystem::create_symlink(target, link);
  FaultyFileSystem failingWrites(db::systemFileSystem());
  failingWrites.setRule(
      [](int, FileCall call) { return call == FileCall::Write ? Fault::Fail : Fault::None; });
  EXPECT_EQ(run(failingWrites, link).status, 2);
  EXPECT_EQ(readFileBytes(target), oldOutput_) << "the file behind the link is replaced in one step";
  EXPECT_EQ(run(fileSystem, link).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link stays a link";
  EXPECT_EQ(readFileBytes(target), expected);

  EXPECT_EQ(run(fileSystem, "/dev/null").status, 0);

  const mode_t mask = ::umask(027);
  const std::string created = dir_.file("new.csv");
  const Outcome made = run(fileSystem, created);
  ::umask(mask);
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(readFileBytes(created), expected);
  struct stat status {};
  ASSERT_EQ(::stat(created.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(fileSystem.openFiles(), 0);
}
#endif

}  // namespace
}  // namespace zelbor::cli
