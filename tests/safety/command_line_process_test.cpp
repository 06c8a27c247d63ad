// zelbor-db as a process in hostile surroundings: two runs writing at once, a FIFO for a file, a
// read-only file as root, a file-size limit, standard output on a full device.
#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "db/layout.h"
#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/process.h"
#include "support/temp_file.h"

namespace zelbor::testing {
namespace {

using ::testing::HasSubstr;
using Image = std::vector<db::Byte>;

class CommandLineProcessTest : public ::testing::Test {
 protected:
  CommandLineProcessTest() { writeFileBytes(database_, original_); }

  // zelbor-db with `arguments` (shell words, quoted by the caller), after `prefix` shell commands.
  static ProcessResult zelborDb(const std::string& arguments, const std::string& prefix = "") {
    return runCommand(prefix + shellQuoted(ZELBOR_DB_EXECUTABLE) + " " + arguments);
  }

  // The file a fault-free run of `arguments` (the database's path follows the command) leaves.
  Image cleanResult(const std::string& command, const std::string& options) {
    const std::string copy = dir_.file("clean.bag");
    writeFileBytes(copy, original_);
    const ProcessResult run = zelborDb(command + " " + shellQuoted(copy) + " " + options);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return readFileBytes(copy);
  }

  TempDir dir_;
  std::string database_ = dir_.file("TeamAndPlayerInfo.bag");
  std::string quoted_ = shellQuoted(database_);
  Image original_ = sample::makeSampleDatabase();
};

TEST_F(CommandLineProcessTest, TwoRunsWritingAtOnceApplyTheBatchOnceOrTwiceNeverMixed) {
  const Image once = cleanResult("batch", "--all --power 50");
  const std::string copy = dir_.file("twice.bag");
  writeFileBytes(copy, once);
  ASSERT_EQ(zelborDb("batch " + shellQuoted(copy) + " --all --power 50").exitCode, 0);
  const Image twice = readFileBytes(copy);

  const std::string batch =
      shellQuoted(ZELBOR_DB_EXECUTABLE) + " batch " + quoted_ + " --all --power 50 >/dev/null";
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    writeFileBytes(database_, original_);
    // Each run's status is printed on a line of its own.
    const ProcessResult run =
        runCommand("(" + batch + "; echo status $?) & (" + batch + "; echo status $?) & wait");
    const Image after = readFileBytes(database_);
    EXPECT_TRUE(after == twice || after == once) << run.output;
    if (after == once) {
      EXPECT_THAT(run.output, HasSubstr("status 2")) << "one run was refused";
      EXPECT_THAT(run.output, HasSubstr("another program is writing it"));
      EXPECT_THAT(run.output, HasSubstr("Nothing was written."));
    } else {
      EXPECT_EQ(run.output, "status 0\nstatus 0\n");
    }
  }
}

TEST_F(CommandLineProcessTest, AFifoIsRefusedAtOnceAsAFileAndAsAListFile) {
  const std::string fifo = dir_.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string lists = dir_.file("lists");
  std::filesystem::create_directory(lists);
  ASSERT_EQ(::mkfifo((lists + "/Bats.txt").c_str(), 0600), 0);
  const struct {
    std::string arguments;
    std::string refused;
  } cases[] = {
      {"teams " + shellQuoted(fifo), fifo},
      {"batch " + shellQuoted(fifo) + " --all --dry-run", fifo},
      {"check " + quoted_ + " --lists " + shellQuoted(lists), lists + "/Bats.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    // The time limit turns a hang into a failure instead of a stuck test run.
    const ProcessResult run = zelborDb(c.arguments, "timeout 20 ");
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Cannot open \"" + c.refused + "\": not a regular file."));
  }
}

TEST_F(CommandLineProcessTest, AReadOnlyFileIsNotWrittenEvenByRoot) {
  ASSERT_EQ(::chmod(database_.c_str(), 0444), 0);
  for (const char* command : {"batch", "fix-spoof"}) {
    SCOPED_TRACE(command);
    const ProcessResult run =
        zelborDb(std::string(command) + " " + quoted_ +
                 (command == std::string("batch") ? " --all --power 50" : ""));
    EXPECT_EQ(run.exitCode, 2) << run.output;
    if (::geteuid() == 0) {
      EXPECT_THAT(run.output, HasSubstr("it is read-only (no write permission bits"));
    }
    EXPECT_THAT(run.output, HasSubstr("Nothing was written."));
    EXPECT_EQ(readFileBytes(database_), original_);
  }
}

TEST_F(CommandLineProcessTest, AFileSizeLimitIsReportedNotDiedOf) {
  const Image batched = cleanResult("batch", "--all --power 50");
  // The limit falls inside team 5's area; a backup, longer than that, could not be made.
  const std::string limit =
      "prlimit --fsize=" + std::to_string(db::playerAreaStart(5) + 1000) + " ";
  const ProcessResult run = zelborDb("--no-backup batch " + quoted_ + " --all --power 50", limit);
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_THAT(run.output, HasSubstr("File too large"));
  EXPECT_THAT(run.output, HasSubstr("Teams 1 to 4 were written; team 5 may be part-written; teams "
                                    "6 to 17 were not written."));
  const Image after = readFileBytes(database_);
  for (int team = 1; team <= db::kTeamCount; ++team) {
    if (team == 5) continue;
    EXPECT_EQ(playerArea(after, team), playerArea(team < 5 ? batched : original_, team)) << team;
  }

  const std::string created = dir_.file("new.bag");
  const ProcessResult sample = zelborDb("sample " + shellQuoted(created), limit);
  EXPECT_EQ(sample.exitCode, 2) << sample.output;
  EXPECT_THAT(sample.output, HasSubstr("File too large"));
  EXPECT_FALSE(std::filesystem::exists(created)) << "a retry must not meet a partial file";
}

TEST_F(CommandLineProcessTest, AFailingFlushReportsItsTeamAsWrittenPossiblyNotOnDisk) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the failure-injecting preload cannot run beside the address sanitizer's "
                  "runtime; the plain build runs this test";
#endif
  const Image batched = cleanResult("batch", "--all --power 50");
  // Without a backup, whose flush would fail first.
  const ProcessResult run =
      zelborDb("--no-backup batch " + quoted_ + " --all --power 50",
               "fiu-run -x -c 'enable name=posix/io/sync/fdatasync,failinfo=5' ");
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_THAT(run.output, HasSubstr("Cannot flush to disk \"" + database_));
  EXPECT_THAT(run.output,
              HasSubstr("Team 1 was written but may not be on disk; teams 2 to 17 were not "
                        "written."));
  const Image after = readFileBytes(database_);
  EXPECT_EQ(playerArea(after, 1), playerArea(batched, 1)) << "team 1 is changed in the file";
  EXPECT_EQ(playerArea(after, 2), playerArea(original_, 2));
}

TEST_F(CommandLineProcessTest, AFullStandardOutputIsNotASilentSuccess) {
  const Image batched = cleanResult("batch", "--all --power 50");
  // In braces, so that only standard output goes to the full device, not the messages.
  const ProcessResult run = zelborDb("batch " + quoted_ + " --all --power 50 > /dev/full; }", "{ ");
  EXPECT_EQ(run.exitCode, 5) << "written, but a later step failed: " << run.output;
  EXPECT_THAT(run.output, HasSubstr("Cannot write to standard output."));
  EXPECT_THAT(run.output, HasSubstr("The file was written"));
  EXPECT_EQ(readFileBytes(database_), batched);

  for (const char* arguments : {"--help", "teams --help"}) {
    const ProcessResult help = zelborDb(std::string(arguments) + " > /dev/full; }", "{ ");
    EXPECT_EQ(help.exitCode, 2) << arguments << ": " << help.output;
    EXPECT_THAT(help.output, HasSubstr("Cannot write to standard output."));
  }
  const ProcessResult teams = zelborDb("teams " + quoted_ + " > /dev/full; }", "{ ");
  EXPECT_EQ(teams.exitCode, 2) << "nothing was written, so a plain file error";
}

TEST_F(CommandLineProcessTest, TheBackupIsOnDiskBeforeTheFirstWriteToTheDatabase) {
  const std::string trace = dir_.file("trace.txt");
  const ProcessResult run = zelborDb(
      "batch " + quoted_ + " --all --power 50",
      "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" strace -f -qq -e trace=%file,%desc -o " +
          shellQuoted(trace) + " ");
  if (run.exitCode != 0 && run.output.find("strace: ") != std::string::npos) {
    GTEST_SKIP() << "this machine does not allow tracing: " << run.output;
  }
  ASSERT_EQ(run.exitCode, 0) << run.output;

  const std::regex open(
      R"re(open(?:at)?\((?:AT_FDCWD, )?"([^"]*)", ([A-Z_|]+)[^)]*\)\s+= (\d+))re");
  const std::regex lock(R"re(fcntl\((\d+), F_OFD_SETLK, \{l_type=F_WRLCK.*\)\s+= 0)re");
  const std::regex pwrite(R"re(pwrite64\((\d+), .*, (\d+), (\d+)\)\s+= (\d+))re");
  const std::regex sync(R"re(f(?:data)?sync\((\d+)\)\s+= 0)re");
  const std::regex batchBackup("_batch_[0-9a-f]{8}-1_TeamAndPlayerInfo\\.bag\\.bak$");
  const std::regex rename(
      R"re(rename(?:at2?)?\((?:AT_FDCWD, )?"([^"]+)", (?:AT_FDCWD, )?"([^"]+)".*\)\s+= 0)re");
  int databaseFile = -1;
  int temporaryFile = -1;
  int folder = -1;
  bool locked = false, copied = false, copyFlushed = false, renamed = false, folderFlushed = false;
  int databaseWrites = 0;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    line = std::regex_replace(line, std::regex(R"(^\d+\s+)"), "");
    std::smatch m;
    if (std::regex_search(line, m, open)) {
      const std::string path = m[1];
      const std::string flags = m[2];
      if (path == database_ && flags.find("O_RDWR") != std::string::npos) {
        databaseFile = std::stoi(m[3]);
      } else if (path.ends_with(".tmp") &&
                 path.find("TeamAndPlayerInfo.bag.bak") != std::string::npos) {
        EXPECT_THAT(flags, HasSubstr("O_EXCL")) << "a temporary file is never shared";
        temporaryFile = std::stoi(m[3]);
      } else if (flags.find("O_DIRECTORY") != std::string::npos && renamed) {
        folder = std::stoi(m[3]);
      }
    } else if (std::regex_search(line, m, lock) && std::stoi(m[1]) == databaseFile) {
      locked = true;
    } else if (std::regex_search(line, m, pwrite) && std::stoi(m[1]) == temporaryFile) {
      EXPECT_TRUE(locked) << "the copy is taken under the writer's lock";
      copied = std::stoull(m[2]) == original_.size() && m[2] == m[4];
    } else if (std::regex_search(line, m, sync)) {
      copyFlushed |= std::stoi(m[1]) == temporaryFile && copied;
      folderFlushed |= std::stoi(m[1]) == folder && renamed;
    } else if (std::regex_search(line, m, rename)) {
      renamed = copyFlushed && std::string(m[1]).ends_with(".tmp") &&
                std::regex_search(std::string(m[2]), batchBackup);
    } else if (std::regex_search(line, m, pwrite) && std::stoi(m[1]) == databaseFile) {
      if (databaseWrites++ == 0) {
        EXPECT_TRUE(copied && copyFlushed && renamed && folderFlushed)
            << "before the first write to the database: copied " << copied << ", flushed "
            << copyFlushed << ", renamed " << renamed << ", folder flushed " << folderFlushed;
      }
    }
  }
  EXPECT_EQ(databaseWrites, db::kTeamCount);
}

}  // namespace
}  // namespace zelbor::testing
