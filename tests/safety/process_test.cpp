// Watches the editor's writing operations from outside the process: a system-call trace, failures
// injected into the C library's calls, and a file-size limit that cuts a real write short.
#include "support/process.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "db/layout.h"
#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/temp_file.h"

namespace zelbor::testing {
namespace {

using ::testing::HasSubstr;
using Image = std::vector<db::Byte>;

class ProcessTest : public ::testing::Test {
 protected:
  ProcessTest() { writeFileBytes(database_, original_); }

  // The probe on the test's database; `prefix` goes in front of the command (a tracer, say).
  ProcessResult probe(const std::string& prefix, const std::string& arguments) {
    return runCommand(prefix + " " + shellQuoted(ZELBOR_EDITOR_PROBE) + " " +
                      shellQuoted(database_) + " " +
                      shellQuoted(std::filesystem::current_path().string()) + " " + arguments);
  }

  // The file a fault-free run of `operations` leaves, made on a copy.
  Image cleanResult(const std::string& operations) {
    const std::string copy = dir_.file("clean.bag");
    writeFileBytes(copy, original_);
    const ProcessResult run =
        runCommand(shellQuoted(ZELBOR_EDITOR_PROBE) + " " + shellQuoted(copy) + " " +
                   shellQuoted(std::filesystem::current_path().string()) + " " + operations);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return readFileBytes(copy);
  }

  TempDir dir_;
  std::string database_ = dir_.file("TeamAndPlayerInfo.bag");
  Image original_ = sample::makeSampleDatabase();
};

struct Write {
  std::string operation;
  std::uint64_t offset;
  std::uint64_t count;
  bool locked = false;
  bool areaReadFirst = false;  // the team's whole area was read on the same file before
  bool synced = false;
};

TEST_F(ProcessTest, TheTraceShowsOnlyPlayerAreaWritesToAnExistingFile) {
  const std::string trace = dir_.file("trace.txt");
  // The leak checker stops the process with ptrace at exit, which a traced process cannot do.
  const ProcessResult run = probe(
      "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" strace -f -qq "
      "-e trace=%file,%desc -o " +
          shellQuoted(trace),
      "save batch spoof hash");
  if (run.exitCode != 0 && run.output.find("strace: ") != std::string::npos) {
    GTEST_SKIP() << "this machine does not allow tracing: " << run.output;
  }
  ASSERT_EQ(run.exitCode, 0) << run.output;

  const std::regex open(
      R"re(open(?:at)?\((?:AT_FDCWD, )?"([^"]*)", ([A-Z_|]+)[^)]*\)\s+= (-?\d+))re");
  const std::regex pwrite(R"re(pwrite64\((\d+), .*, (\d+), (\d+)\)\s+= (-?\d+))re");
  const std::regex otherWrite(R"re(^(?:write|writev|pwritev2?)\((\d+),)re");
  const std::regex pread(R"re(pread64\((\d+), .*, (\d+), (\d+)\)\s+= (\d+))re");
  const std::regex lock(R"re(fcntl\((\d+), F_OFD_SETLK, \{l_type=F_WRLCK.*\)\s+= 0)re");
  const std::regex sync(R"re(f(?:data)?sync\((\d+)\)\s+= 0)re");
  const std::regex close(R"re(^close\((\d+)\))re");
  const std::regex marker(R"re(^write\(1, "operation (\w+)\\n")re");
  // Per open descriptor of the database: whether it holds the writer's lock, and the offsets of
  // whole player areas read on it since its last write.
  struct DatabaseFile {
    bool locked = false;
    std::set<std::uint64_t> areasRead;
  };
  std::map<int, DatabaseFile> databaseFiles;
  std::map<std::string, int> locksPerOperation;
  std::vector<Write> writes;
  std::string operation = "start-up";
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    line = std::regex_replace(line, std::regex(R"(^\d+\s+)"), "");
    std::smatch m;
    EXPECT_EQ(line.find("truncate("), std::string::npos) << line;
    if (std::regex_search(line, m, marker)) {
      operation = m[1];
    } else if (std::regex_search(line, m, open) && m[1] == database_) {
      const std::string flags = m[2];
      for (const char* forbidden : {"O_CREAT", "O_TRUNC", "O_APPEND"}) {
        EXPECT_EQ(flags.find(forbidden), std::string::npos) << line;
      }
      if (std::stoi(m[3]) >= 0) databaseFiles[std::stoi(m[3])] = {};
    } else if (std::regex_search(line, m, lock) && databaseFiles.count(std::stoi(m[1]))) {
      databaseFiles[std::stoi(m[1])].locked = true;
      ++locksPerOperation[operation];
    } else if (std::regex_search(line, m, pread) && databaseFiles.count(std::stoi(m[1])) &&
               std::stoull(m[2]) == db::kPlayerAreaSize && m[2] == m[4]) {
      databaseFiles[std::stoi(m[1])].areasRead.insert(std::stoull(m[3]));
    } else if (std::regex_search(line, m, pwrite) && databaseFiles.count(std::stoi(m[1]))) {
      EXPECT_EQ(m[2], m[4]) << "whole write: " << line;
      DatabaseFile& file = databaseFiles[std::stoi(m[1])];
      writes.push_back({operation, std::stoull(m[3]), std::stoull(m[2]), file.locked,
                        file.areasRead.count(std::stoull(m[3])) > 0});
      file.areasRead.clear();
    } else if (std::regex_search(line, m, otherWrite)) {
      EXPECT_EQ(databaseFiles.count(std::stoi(m[1])), 0u) << "only positioned writes: " << line;
    } else if (std::regex_search(line, m, sync) && databaseFiles.count(std::stoi(m[1]))) {
      for (Write& write : writes) write.synced = true;
    } else if (std::regex_search(line, m, close)) {
      databaseFiles.erase(std::stoi(m[1]));
    }
  }

  std::map<std::string, int> writesPerOperation;
  for (const Write& write : writes) {
    ++writesPerOperation[write.operation];
    EXPECT_TRUE(write.synced) << "flushed before the file was closed";
    EXPECT_TRUE(write.locked) << write.operation << " wrote without the lock at " << write.offset;
    EXPECT_TRUE(write.areaReadFirst)
        << write.operation << " wrote without comparing the area at " << write.offset;
    EXPECT_LE(write.count, db::kPlayerAreaSize);
    bool insideAPlayerArea = false;
    for (int team = 1; team <= db::kTeamCount; ++team) {
      insideAPlayerArea |=
          write.offset == db::playerAreaStart(team) &&
          write.offset + write.count <= db::playerAreaStart(team) + db::kPlayerAreaSize;
    }
    EXPECT_TRUE(insideAPlayerArea) << write.operation << " wrote at " << write.offset;
  }
  EXPECT_EQ(writesPerOperation,
            (std::map<std::string, int>{{"save", 1}, {"batch", 17}, {"spoof", 17}}));
  EXPECT_EQ(locksPerOperation,
            (std::map<std::string, int>{{"save", 1}, {"batch", 1}, {"spoof", 1}}))
      << "one lock for each whole operation";
  EXPECT_EQ(readFileBytes(database_).size(), original_.size());
}

TEST_F(ProcessTest, RealSystemCallFailuresAreReportedAndLeaveOldOrNewBytes) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the failure-injecting preload cannot run beside the address sanitizer's "
                  "runtime; the plain build runs this test";
#endif
  const Image saved = cleanResult("save");
  const struct {
    const char* failure;
    const char* reported;  // nullptr: the save succeeds
  } cases[] = {
      {"enable name=posix/io/rw/pwrite,failinfo=5", "Input/output error"},
      {"enable name=posix/io/rw/pwrite,failinfo=28", "No space left on device"},
      {"enable name=posix/io/sync/fdatasync,failinfo=5", "flush to disk"},
      {"enable name=posix/io/rw/pwrite/reduce", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failure);
    writeFileBytes(database_, original_);
    const ProcessResult run =
        probe("fiu-run -x -c " + shellQuoted(c.failure), "--without-backup save");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const Image after = readFileBytes(database_);
    ASSERT_EQ(after.size(), original_.size());
    if (c.reported == nullptr) {
      EXPECT_EQ(after, saved) << "short writes are continued to the end";
      EXPECT_THAT(run.output, ::testing::Not(HasSubstr("message:")));
    } else {
      EXPECT_THAT(run.output, HasSubstr(c.reported));
      EXPECT_THAT(run.output, HasSubstr(database_));
      EXPECT_TRUE(after == original_ || after == saved);
    }
  }
}

TEST_F(ProcessTest, AWriteCutShortByTheFileSizeLimitStopsTheWalkAtThatTeam) {
  const Image batched = cleanResult("batch");
  const std::uint64_t limit = db::playerAreaStart(5) + 1000;
  const ProcessResult run =
      probe("", "--file-size-limit " + std::to_string(limit) + " --without-backup batch");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_THAT(run.output, HasSubstr("stopped at team 5"));
  EXPECT_THAT(run.output, HasSubstr("File too large"));
  const Image after = readFileBytes(database_);
  ASSERT_EQ(after.size(), original_.size());
  for (int team = 1; team <= db::kTeamCount; ++team) {
    if (team < 5) {
      EXPECT_EQ(playerArea(after, team), playerArea(batched, team)) << team;
    }
    if (team > 5) {
      EXPECT_EQ(playerArea(after, team), playerArea(original_, team)) << team;
    }
  }
  Image expected = original_;
  std::copy_n(batched.begin() + static_cast<std::ptrdiff_t>(db::playerAreaStart(1)),
              db::playerAreaStart(5) + 1000 - db::playerAreaStart(1),
              expected.begin() + static_cast<std::ptrdiff_t>(db::playerAreaStart(1)));
  EXPECT_EQ(after, expected) << "nothing beyond the limit of team 5's write changed";
}

}  // namespace
}  // namespace zelbor::testing
