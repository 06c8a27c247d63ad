// Backups before every write of zelbor-db, `backups` and `restore`: whole files compared byte for
// byte, the backups kept, and backups that cannot be made.
#include <gmock/gmock.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>

#include "cli/cli.h"
#include "db/backups.h"
#include "db/layout.h"
#include "db/text_codec.h"
#include "sample/sample_database.h"
#include "support/database_image.h"
#include "support/faulty_file_system.h"
#include "support/process.h"
#include "support/temp_file.h"

namespace zelbor::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using zelbor::testing::readFileBytes;
using zelbor::testing::TempDir;
using zelbor::testing::writeFileBytes;
using Image = std::vector<db::Byte>;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Each test has its own state folder, so it sees only its own backups.
class BackupRestoreTest : public ::testing::Test {
 protected:
  BackupRestoreTest() {
    setStateHome(state_.path().string());
    writeFileBytes(path_, original_);
  }
  ~BackupRestoreTest() override { setStateHome(previousStateHome_); }

  static void setStateHome(const std::string& folder) {
#ifdef _WIN32
    _putenv_s("LOCALAPPDATA", folder.c_str());
#else
    setenv("XDG_STATE_HOME", folder.c_str(), 1);
#endif
  }
  static std::string stateHome() {
#ifdef _WIN32
    const char* value = std::getenv("LOCALAPPDATA");
#else
    const char* value = std::getenv("XDG_STATE_HOME");
#endif
    return value == nullptr ? "" : value;
  }

  Outcome run(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(arguments, out, err, {db::systemFileSystem(), dir_.path().string()});
    return {status, out.str(), err.str()};
  }

  fs::path backupsFolder() const {
#ifdef _WIN32
    return state_.path() / "Zelbor Player Editor" / "Backups";
#else
    return state_.path() / "zelbor-player-editor" / "backups";
#endif
  }
  // The backups of the test's database, oldest first: the files named as backups are.
  std::vector<fs::path> backups() const {
    std::vector<fs::path> found;
    if (!fs::exists(backupsFolder())) return found;
    for (const auto& folder : fs::directory_iterator(backupsFolder())) {
      for (const auto& entry : fs::directory_iterator(folder)) {
        static const std::regex backupName("[0-9]{8}-[0-9]{6}-[0-9]{3}_[a-z-]+_.*\\.bak");
        if (std::regex_match(entry.path().filename().string(), backupName))
          found.push_back(entry.path());
      }
    }
    std::sort(found.begin(), found.end());
    return found;
  }

  std::string previousStateHome_ = stateHome();
  TempDir state_;
  TempDir dir_;
  const Image original_ = sample::makeSampleDatabase();
  const std::string path_ = dir_.file("TeamAndPlayerInfo.bag");
};

TEST_F(BackupRestoreTest, ARestoreUndoesABatchAndIsItselfUndone) {
  ASSERT_EQ(run({"batch", path_, "--all", "--timing", "50"}).status, 0);
  const Image afterBatch = readFileBytes(path_);
  ASSERT_NE(afterBatch, original_);
  ASSERT_EQ(backups().size(), 1u);
  EXPECT_EQ(readFileBytes(backups()[0]), original_) << "the backup is the file before the write";
  // std::regex: GoogleTest's own regular expressions on Windows have no brackets.
  EXPECT_TRUE(std::regex_match(
      backups()[0].filename().string(),
      std::regex("[0-9]{8}-[0-9]{6}-[0-9]{3}_batch_[0-9a-f]{8}-1_TeamAndPlayerInfo\\.bag\\.bak")))
      << backups()[0];

  const Outcome listed = run({"backups", path_});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_TRUE(std::regex_match(
      listed.out, std::regex("[0-9-]+ [0-9:]+ UTC\tbatch; first write of its run: the file as "
                             "it was before the run\t[0-9]+ players differ\t.*\\.bak\n")))
      << listed.out;

  const Outcome restored = run({"restore", path_});
  ASSERT_EQ(restored.status, 0) << restored.err;
  EXPECT_THAT(restored.out, HasSubstr("battingAbilities"));
  EXPECT_THAT(restored.out, HasSubstr("were restored from"));
  EXPECT_EQ(readFileBytes(path_), original_);

  const std::vector<fs::path> after = backups();
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(readFileBytes(after[1]), afterBatch) << "the restore backed up the file first";
  EXPECT_THAT(after[1].filename().string(), HasSubstr("_restore_"));
  ASSERT_EQ(run({"restore", path_, after[1].string()}).status, 0);
  EXPECT_EQ(readFileBytes(path_), afterBatch);
}

TEST_F(BackupRestoreTest, RestoreOfChosenTeamsAndADryRun) {
  ASSERT_EQ(run({"batch", path_, "--all", "--power", "40"}).status, 0);
  const Image afterBatch = readFileBytes(path_);
  const std::string backup = backups()[0].string();

  const Outcome dryRun = run({"restore", path_, backup, "--team", "3", "--dry-run"});
  ASSERT_EQ(dryRun.status, 0) << dryRun.err;
  EXPECT_THAT(dryRun.out, HasSubstr("in 1 team would be restored"));
  EXPECT_THAT(dryRun.out, ::testing::StartsWith("3\t"));
  EXPECT_EQ(readFileBytes(path_), afterBatch);
  EXPECT_EQ(backups().size(), 1u) << "a dry run backs nothing up";

  ASSERT_EQ(run({"restore", path_, backup, "--team", "3", "--team", "5"}).status, 0);
  Image expected = afterBatch;
  for (const int team : {3, 5}) {
    const auto start = static_cast<std::ptrdiff_t>(db::playerAreaStart(team));
    std::copy_n(original_.begin() + start, db::kPlayerAreaSize, expected.begin() + start);
  }
  EXPECT_EQ(readFileBytes(path_), expected);
}

TEST_F(BackupRestoreTest, ABackupThatIsMissingOrNotACopyIsRefusedByName) {
  const std::string truncated = dir_.file("truncated.bag");
  writeFileBytes(truncated, Image(original_.begin(), original_.end() - 1));
  const std::string longer = dir_.file("longer.bag");
  Image longerImage = original_;
  longerImage.push_back(0);
  writeFileBytes(longer, longerImage);
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{"restore", path_}, "There is no backup of"},
      {{"restore", path_, dir_.file("missing.bag")}, "missing.bag"},
      {{"restore", path_, truncated},
       "truncated.bag\": it is " + std::to_string(original_.size() - 1) + " bytes long"},
      {{"restore", path_, longer},
       "longer.bag\": it is " + std::to_string(original_.size() + 1) + " bytes long"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run(c.arguments);
    EXPECT_EQ(outcome.status, 2) << c.message;
    EXPECT_THAT(outcome.err, HasSubstr(c.message));
    EXPECT_EQ(readFileBytes(path_), original_);
  }
  EXPECT_TRUE(backups().empty());
}

// 25 older runs of three writes each, and files we did not make, among them names like ours with
// an operation we never write. After two more runs (fix-spoof, batch) the newest 30 are theirs,
// runs 17 to 25 and the last write of run 16; and the first writes of the newest 20 runs (those
// two and runs 8 to 25) stay. The rest of ours go, with their descriptions.
TEST_F(BackupRestoreTest, RetentionKeepsTheNewestAndTheFirstWriteOfEachRecentRun) {
  ASSERT_EQ(run({"fix-spoof", path_}).status, 0);
  const fs::path folder = backups()[0].parent_path();
  const auto older = [&folder](int run, int write, const char* suffix) {
    char name[96];
    std::snprintf(name, sizeof name,
                  "2020%02d%02d-000000-00%d_batch_%08x-%d_TeamAndPlayerInfo.bag%s", 1 + run / 28,
                  1 + run % 28, write, 0xabc00000 + run, write, suffix);
    return folder / name;
  };
  for (int run = 1; run <= 25; ++run) {
    for (int write = 1; write <= 3; ++write) {
      writeFileBytes(older(run, write, ".bak"), {1});
      writeFileBytes(older(run, write, ".txt"), {'t', '\n'});
    }
  }
  const std::vector<fs::path> foreign = {
      folder / "notes.txt",
      folder / "20190101-old.bak",
      folder / "20190101-000000-000_Batch_x.bak",
      folder / "19990101-000000-000_manual_TeamAndPlayerInfo.bag.bak",
      folder / "19990101-000000-000_batch_TeamAndPlayerInfo.bag.bak",
      folder / "19990101-000000-000_batch_abcdef01-x_TeamAndPlayerInfo.bag.bak"};
  for (const fs::path& file : foreign) writeFileBytes(file, {2});

  ASSERT_EQ(run({"batch", path_, "--team", "2", "--power", "30"}).status, 0);
  for (int run = 1; run <= 25; ++run) {
    for (int write = 1; write <= 3; ++write) {
      const bool kept = run >= 17 || (run == 16 && write == 3) || (run >= 8 && write == 1);
      EXPECT_EQ(fs::exists(older(run, write, ".bak")), kept) << run << " " << write;
      EXPECT_EQ(fs::exists(older(run, write, ".txt")), kept) << run << " " << write;
    }
  }
  EXPECT_EQ(backups().size(), 2u + 27 + 1 + 9 + 3) << "and three foreign names look like ours";
  EXPECT_TRUE(fs::exists(folder / "database.txt"));
  for (const fs::path& file : foreign) EXPECT_TRUE(fs::exists(file)) << file;
}

// A database's name of any length: the backup's name is cut to the file system's limit.
TEST_F(BackupRestoreTest, ABackupOfADatabaseWithTheLongestNameFitsItsName) {
  // 254 bytes of two-byte characters and a dot: as long as a name may be.
  std::string name;
  while (name.size() < 254) name += "\xC3\xA9";
  name.resize(254);
  name += "x";
  const std::string database = dir_.file(name);
  writeFileBytes(database, original_);
  const Outcome batched = run({"batch", database, "--all", "--power", "40"});
  ASSERT_EQ(batched.status, 0) << batched.err;
  const std::vector<fs::path> taken = backups();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(readFileBytes(taken[0]), original_);
  const std::string backupName = taken[0].filename().string();
  EXPECT_LE(backupName.size(), 240u);
  EXPECT_TRUE(db::isUtf8(backupName)) << "cut at a character's start";

  ASSERT_EQ(run({"restore", database}).status, 0);
  EXPECT_EQ(readFileBytes(database), original_);
}

TEST_F(BackupRestoreTest, NoBackupIsTakenAfterTheCommandsNameToo) {
  const Outcome knowingly = run({"batch", path_, "--all", "--power", "50", "--no-backup"});
  ASSERT_EQ(knowingly.status, 0) << knowingly.err;
  EXPECT_NE(readFileBytes(path_), original_);
  EXPECT_TRUE(backups().empty());
}

// A write of another program holds the writer's lock for the whole wait: the restore writes
// nothing and says nothing was restored.
TEST_F(BackupRestoreTest, ARestoreWhileAnotherProgramWritesReportsNothingRestored) {
  ASSERT_EQ(run({"batch", path_, "--all", "--power", "40"}).status, 0);
  const Image afterBatch = readFileBytes(path_);
  auto holder = db::systemFileSystem().openExisting(path_, db::OpenMode::ReadWrite);
  ASSERT_TRUE(holder);
  const db::Result<bool> locked = holder.value()->tryLock();
  ASSERT_TRUE(locked && locked.value());

  const Outcome refused = run({"restore", path_});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "") << "nothing was restored";
  EXPECT_THAT(refused.err, HasSubstr("another program is writing it"));
  EXPECT_THAT(refused.err, HasSubstr("Nothing was written."));
  EXPECT_EQ(readFileBytes(path_), afterBatch);
}

// Another program writes team 2 between the restore's first look and its taking the lock: the
// areas are read again under the lock, so the report shows what the file held when written.
TEST_F(BackupRestoreTest, ARestoreReadsTheFileUnderTheWritersLock) {
  ASSERT_EQ(run({"batch", path_, "--all", "--power", "40"}).status, 0);
  Image changedByOther = readFileBytes(path_);
  db::PlayerRecord player = zelbor::testing::namedPlayer("Other Program");
  zelbor::testing::putPlayer(changedByOther, 2, 1, player);
  zelbor::testing::FaultyFileSystem fileSystem(db::systemFileSystem());
  fileSystem.setRule([&](int, zelbor::testing::FileCall call) {
    if (call == zelbor::testing::FileCall::Lock) writeFileBytes(path_, changedByOther);
    return zelbor::testing::Fault::None;
  });
  std::ostringstream out;
  std::ostringstream err;
  const int status = runCli({"restore", path_}, out, err, {fileSystem, dir_.path().string()});
  ASSERT_EQ(status, 0) << err.str();
  EXPECT_EQ(readFileBytes(path_), original_);
  EXPECT_THAT(out.str(), HasSubstr("2\t1\trealName\tOther Program\t"));
}

#ifndef _WIN32
// A Linux file name is bytes; the list's output stays UTF-8, as the other commands' does.
TEST_F(BackupRestoreTest, TheListEscapesBytesThatAreNotUtf8) {
  const std::string database = dir_.file("Team\xFF\xC3.bag");
  writeFileBytes(database, original_);
  ASSERT_EQ(run({"batch", database, "--all", "--power", "40"}).status, 0);
  const Outcome listed = run({"backups", database});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_TRUE(db::isUtf8(listed.out)) << listed.out;
  EXPECT_THAT(listed.out, HasSubstr("Team\\xFF\\xC3.bag.bak\n"));
}

TEST_F(BackupRestoreTest, NoBackupNoWriteUnlessAskedFor) {
  fs::create_directories(backupsFolder().parent_path());
  const TempDir elsewhere;
  const struct {
    const char* what;
    std::function<void()> prepare;
    std::string message;
  } cases[] = {
      {"a symbolic link", [&] { fs::create_directory_symlink(elsewhere.path(), backupsFolder()); },
       "is a symbolic link"},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(backupsFolder().c_str(), 0600), 0); },
       "it is not a folder"},
      // Root could write into it; the missing write bits are still meant.
      {"a read-only folder",
       [&] {
         fs::create_directory(backupsFolder());
         fs::permissions(backupsFolder(), fs::perms::owner_read | fs::perms::owner_exec);
       },
       ::geteuid() == 0 ? "is read-only (no write permission bits" : "Permission denied"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(backupsFolder());
    c.prepare();
    const Outcome outcome = run({"batch", path_, "--all", "--power", "50"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_THAT(outcome.err,
                HasSubstr("No backup could be made of \"" + path_ + "\", so nothing was written."));
    EXPECT_THAT(outcome.err, HasSubstr(c.message));
    EXPECT_THAT(outcome.err, HasSubstr("--no-backup"));
    EXPECT_EQ(readFileBytes(path_), original_);
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
  }

  fs::permissions(backupsFolder(), fs::perms::owner_all);
  const Outcome knowingly = run({"--no-backup", "batch", path_, "--all", "--power", "50"});
  EXPECT_EQ(knowingly.status, 0) << knowingly.err;
  EXPECT_NE(readFileBytes(path_), original_);
}

// A file-size limit below the database's size makes the backup's write fail with EFBIG.
TEST_F(BackupRestoreTest, ABackupCutByAFileSizeLimitWritesNothing) {
  const std::string program =
      zelbor::testing::shellQuoted(fs::absolute(ZELBOR_DB_EXECUTABLE).string());
  const zelbor::testing::ProcessResult run =
      zelbor::testing::runCommand("ulimit -f 100 && " + program + " batch " +
                                  zelbor::testing::shellQuoted(path_) + " --all --power 50");
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_THAT(run.output, HasSubstr("No backup could be made"));
  EXPECT_THAT(run.output, HasSubstr("File too large"));
  EXPECT_EQ(readFileBytes(path_), original_);
  for (const fs::path& folder : fs::recursive_directory_iterator(state_.path())) {
    EXPECT_NE(folder.extension(), ".tmp") << "the temporary file is removed";
  }
}

// A backups folder on a full file system: a small tmpfs, in a mount namespace of its own.
TEST_F(BackupRestoreTest, ABackupOnAFullFileSystemWritesNothing) {
  fs::create_directories(backupsFolder());
  const std::string script =
      "mount -t tmpfs -o size=" + std::to_string(original_.size() / 2) + " none " +
      zelbor::testing::shellQuoted(backupsFolder().string()) + " && " +
      zelbor::testing::shellQuoted(fs::absolute(ZELBOR_DB_EXECUTABLE).string()) + " batch " +
      zelbor::testing::shellQuoted(path_) + " --all --power 50";
  const zelbor::testing::ProcessResult run =
      zelbor::testing::runCommand("unshare -m sh -c " + zelbor::testing::shellQuoted(script));
  if (run.output.find("ermission denied") != std::string::npos ||
      run.output.find("peration not permitted") != std::string::npos) {
    GTEST_SKIP() << "mounting is not permitted here: " << run.output;
  }
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_THAT(run.output, HasSubstr("No backup could be made"));
  EXPECT_THAT(run.output, HasSubstr("No space left on device"));
  EXPECT_EQ(readFileBytes(path_), original_);
}
#endif

}  // namespace
}  // namespace zelbor::cli
