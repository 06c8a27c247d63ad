// The database changing or refusing under the editor: shortened, replaced, made immutable, or on
// a read-only mount. The editor says so with the file's name and never writes into such a file.
#include <gmock/gmock.h>

#include <filesystem>

#include "editor/messages.h"
#include "support/editor_fixture.h"
#include "support/process.h"

namespace zelbor::testing {
namespace {

using ::testing::HasSubstr;

class ChangingFileTest : public EditorFixture {
 protected:
  ~ChangingFileTest() override {
    if (immutable_) runCommand("chattr -i " + shellQuoted(databasePath));
  }

  bool makeImmutable() {
    immutable_ = runCommand("chattr +i " + shellQuoted(databasePath)).exitCode == 0;
    return immutable_;
  }

  void editAndSave() {
    view.type(editor::TextBox::txtRealName, "Never Written");
    editor.mnuSave_Click();
  }

  bool immutable_ = false;
};

TEST_F(ChangingFileTest, AShortenedFileIsNeitherWrittenNorExtended) {
  startOrFail();
  std::filesystem::resize_file(databasePath, 200000);
  const auto shortened = fileBytes();
  editAndSave();
  EXPECT_THAT(messageTexts().back(), HasSubstr(databasePath));
  EXPECT_THAT(messageTexts().back(), HasSubstr("size changed"));
  EXPECT_EQ(fileBytes(), shortened);
}

TEST_F(ChangingFileTest, AFileReplacedUnderTheSameNameIsNotWritten) {
  startOrFail();
  const std::vector<db::Byte> replacement = standardImage();
  writeFileBytes(dir.file("replacement.bag"), replacement);
  std::filesystem::rename(dir.file("replacement.bag"), databasePath);
  editAndSave();
  EXPECT_THAT(messageTexts().back(), HasSubstr("another file has taken its place"));
  EXPECT_EQ(fileBytes(), replacement);
}

TEST_F(ChangingFileTest, AnImmutableFileIsRefusedAtStart) {
  writeFileBytes(databasePath, standardImage());
  if (!makeImmutable()) GTEST_SKIP() << "chattr +i is not permitted here";
  EXPECT_EQ(editor.InitialiseEditor(databasePath), editor::StartupOutcome::Failed);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{std::string(editor::messages::kReadOnly)});
}

TEST_F(ChangingFileTest, AFileMadeImmutableAfterStartUpGivesAnErrorAtSave) {
  startOrFail();
  if (!makeImmutable()) GTEST_SKIP() << "chattr +i is not permitted here";
  editAndSave();
  EXPECT_THAT(messageTexts().back(), HasSubstr(databasePath));
  EXPECT_THAT(messageTexts().back(), HasSubstr("Operation not permitted"));
  EXPECT_EQ(fileBytes(), standardImage());
}

TEST_F(ChangingFileTest, AFileOnAReadOnlyMountIsRefusedAtStart) {
  // A mount namespace of its own keeps the host's mounts as they are.
  const std::string mountPoint = dir.file("mount");
  std::filesystem::create_directory(mountPoint);
  writeFileBytes(databasePath, standardImage());
  const std::string mounted = mountPoint + "/TeamAndPlayerInfo.bag";
  const std::string script = "mount -t tmpfs none " + shellQuoted(mountPoint) + " && cp " +
                             shellQuoted(databasePath) + " " + shellQuoted(mounted) +
                             " && mount -o remount,ro " + shellQuoted(mountPoint) + " && " +
                             shellQuoted(ZELBOR_EDITOR_PROBE) + " " + shellQuoted(mounted) + " " +
                             shellQuoted(std::filesystem::current_path().string()) + " save";
  const ProcessResult run = runCommand("unshare -m sh -c " + shellQuoted(script));
  if (run.output.find("ermission denied") != std::string::npos ||
      run.output.find("peration not permitted") != std::string::npos) {
    GTEST_SKIP() << "mounting is not permitted here: " << run.output;
  }
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_THAT(run.output, HasSubstr(std::string(editor::messages::kReadOnly)));
}

}  // namespace
}  // namespace zelbor::testing
