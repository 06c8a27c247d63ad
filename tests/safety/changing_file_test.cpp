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

// Another program (one taking no lock) changes team 1 while the editor shows it: the save writes
// nothing, names the team, and the user either reloads it or keeps the edits on screen.
TEST_F(ChangingFileTest, ASaveAfterAnotherProgramChangedTheTeamWritesNothing) {
  for (const auto choice :
       {editor::TeamChangedChoice::KeepEdits, editor::TeamChangedChoice::ReloadTeam}) {
    SCOPED_TRACE(choice == editor::TeamChangedChoice::KeepEdits ? "keep edits" : "reload");
    startOrFail();
    pickPlayer(1);
    std::vector<db::Byte> changed = standardImage();
    putPlayer(changed, 1, 2, namedPlayer("Changed Elsewhere", 9));
    writeFileBytes(databasePath, changed);
    prompts.teamChangedChoices = {choice};
    const std::size_t messagesBefore = prompts.messages.size();

    editAndSave();
    ASSERT_EQ(prompts.teamChangedQuestions.size(), 1u);
    EXPECT_THAT(prompts.teamChangedQuestions.back(), HasSubstr("Team 1 (Team 1) was changed"));
    EXPECT_THAT(prompts.teamChangedQuestions.back(), HasSubstr(databasePath));
    EXPECT_THAT(prompts.teamChangedQuestions.back(), HasSubstr("nothing was written"));
    EXPECT_EQ(prompts.messages.size(), messagesBefore) << "the question is the only message";
    EXPECT_EQ(fileBytes(), changed);
    EXPECT_EQ(view.selectedIndex(editor::ListControl::lstPlayers), 1);
    if (choice == editor::TeamChangedChoice::KeepEdits) {
      EXPECT_EQ(view.text(editor::TextBox::txtRealName), "Never Written");
    } else {
      EXPECT_EQ(view.text(editor::TextBox::txtRealName), "Changed Elsewhere");
      view.type(editor::TextBox::txtRealName, "Saved After Reload");
      editor.mnuSave_Click();
      putPlayer(changed, 1, 2, namedPlayer("Saved After Reload", 9));
      EXPECT_EQ(fileBytes(), changed) << "after the reload the team saves again";
    }
    prompts.teamChangedQuestions.clear();
  }
}

TEST_F(ChangingFileTest, ASaveWhileAnotherOfOurProgramsWritesWaitsThenWritesNothing) {
  startOrFail();
  auto other = db::systemFileSystem().openExisting(databasePath, db::OpenMode::ReadWrite);
  ASSERT_TRUE(other);
  ASSERT_TRUE(other.value()->tryLock().value());
  editAndSave();
  EXPECT_EQ(messageTexts().back(), "Saving did not write the file. Cannot write \"" + databasePath +
                                       "\": another program is writing it. Nothing was written.");
  EXPECT_EQ(fileBytes(), standardImage());
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
