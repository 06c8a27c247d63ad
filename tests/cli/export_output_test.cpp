// export --output through the file system seam: every call of the replacement (and of the xlsx
// workbook's work file) failing in turn, the entries written in place rather than replaced, and
// links.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "exchange/table_format.h"
#include "support/database_image.h"
#include "support/faulty_file_system.h"
#include "support/temp_file.h"

#include <cstdlib>
#include <optional>

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

// The system's temporary folder, where the xlsx library's work file goes, moved to `folder` for
// the test's time: TMPDIR, or TMP, which GetTempPath reads first.
class TemporaryFolderAt {
 public:
  explicit TemporaryFolderAt(const std::filesystem::path& folder) {
    if (const char* old = std::getenv(kVariable)) old_ = old;
    set(folder.string());
  }
  ~TemporaryFolderAt() {
    if (old_) {
      set(*old_);
    } else {
#ifdef _WIN32
      _putenv_s(kVariable, "");
#else
      unsetenv(kVariable);
#endif
    }
  }
  TemporaryFolderAt(const TemporaryFolderAt&) = delete;
  TemporaryFolderAt& operator=(const TemporaryFolderAt&) = delete;

 private:
#ifdef _WIN32
  static constexpr const char* kVariable = "TMP";
  static void set(const std::string& value) { _putenv_s(kVariable, value.c_str()); }
#else
  static constexpr const char* kVariable = "TMPDIR";
  static void set(const std::string& value) { setenv(kVariable, value.c_str(), 1); }
#endif
  std::optional<std::string> old_;
};

class ExportOutputTest : public ::testing::Test {
 protected:
  ExportOutputTest() {
    zelbor::testing::putTeam(database_, 2, 4, "Output");
    writeFileBytes(databasePath_, database_);
    writeFileBytes(output_, oldOutput_);
    std::filesystem::create_directory(workFolder_);
  }

  struct Outcome {
    int status;
    std::string out, err;
  };

  Outcome run(db::FileSystem& fileSystem, const std::string& output,
              const std::string& format = "csv") {
    std::ostringstream out, err;
    const int status =
        runCli({"export", databasePath_, "--format", format, "--output", output}, out, err,
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
  std::string output_ = dir_.file("players.out");
  Image oldOutput_ = Image(5000, 'o');
  // The temporary folder, apart from the output's.
  std::filesystem::path workFolder_ = dir_.path() / "temporary";
  TemporaryFolderAt temporaryFolder_{workFolder_};
};

// The writers of every format this build has; an xlsx workbook is first built in a work file.
class EveryFormatTest : public ExportOutputTest,
                        public ::testing::WithParamInterface<std::string> {
 protected:
  bool workbook() const { return GetParam() == "xlsx"; }
  // The work files left in the temporary folder.
  std::size_t workFiles() const {
    const auto entries = std::filesystem::directory_iterator(workFolder_);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
  }
};

TEST_P(EveryFormatTest, EveryFailingCallLeavesTheOutputOldOrNewAndIsReported) {
  FaultyFileSystem clean(db::systemFileSystem());
  ASSERT_EQ(run(clean, output_, GetParam()).status, 0);
  const Image newOutput = readFileBytes(output_);
  ASSERT_NE(newOutput, oldOutput_);
  const std::vector<FileCall> calls = clean.calls();
  const auto rename = std::ranges::find(calls, FileCall::Rename);
  ASSERT_NE(rename, calls.end());
  const int renameCall = static_cast<int>(rename - calls.begin()) + 1;
  std::vector<FileCall> steps = {FileCall::SameFile, FileCall::Examine, FileCall::Create,
                                 FileCall::Write,    FileCall::Sync,    FileCall::Close,
                                 FileCall::SyncFolder};
  for (const FileCall call : steps) {
    EXPECT_NE(std::ranges::find(calls, call), calls.end()) << "the loop reaches every step";
  }
  if (workbook()) {
    // The work file, made before the output's temporary file, is read back and removed.
    const auto madeWorkFile = std::ranges::find(calls, FileCall::Create);
    for (const FileCall call : {FileCall::Read, FileCall::Remove}) {
      EXPECT_NE(std::find(madeWorkFile, calls.end(), call), calls.end())
          << "the work file goes through the file system";
    }
  }
  EXPECT_EQ(workFiles(), 0u);
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
      const Outcome outcome = run(faulty, output_, GetParam());
      EXPECT_EQ(outcome.status, 2) << outcome.err;
      EXPECT_THAT(outcome.err, AnyOf(HasSubstr(output_), HasSubstr(databasePath_),
                                     HasSubstr(workFolder_.string())));
      const Image after = readFileBytes(output_);
      if (k <= renameCall) {
        EXPECT_EQ(after, oldOutput_) << "a failure up to the rename leaves the old file";
      } else {
        EXPECT_EQ(after, newOutput) << "a failure after it leaves the new file whole";
      }
      EXPECT_EQ(entries(!onwards), before) << "no temporary file is left";
      // Only a failing removal leaves the work file.
      if (!onwards && calls[k - 1] != FileCall::Remove) {
        EXPECT_EQ(workFiles(), 0u) << "no work file is left";
      }
      for (const auto& entry : std::filesystem::directory_iterator(workFolder_))
        std::filesystem::remove(entry.path());
      EXPECT_EQ(faulty.openFiles(), 0);
      EXPECT_EQ(readFileBytes(databasePath_), database_);
    }
  }
}

std::vector<std::string> formats() {
  std::vector<std::string> names = {"csv", "json"};
  if (exchange::buildHasXlsx()) names.push_back("xlsx");
  return names;
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormatTest, ::testing::ValuesIn(formats()),
                         [](const auto& info) { return info.param; });

TEST_F(ExportOutputTest, AWorkbookWhoseWorkFileCannotBeMadeIsReportedAndWritesNothing) {
  if (!exchange::buildHasXlsx()) GTEST_SKIP() << "this build has no xlsx";
  std::filesystem::remove(workFolder_);
  const Outcome outcome = run(db::systemFileSystem(), output_, "xlsx");
  EXPECT_EQ(outcome.status, 2);
  EXPECT_THAT(outcome.err, HasSubstr(workFolder_.string()));
  EXPECT_EQ(readFileBytes(output_), oldOutput_);
  EXPECT_EQ(entries(), (std::vector<std::string>{"TeamAndPlayerInfo.bag", "players.out"}));
  std::filesystem::create_directory(workFolder_);
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
