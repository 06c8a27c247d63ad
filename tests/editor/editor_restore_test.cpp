#include <gmock/gmock.h>

#include <sstream>

#include "cli/cli.h"
#include "db/text_codec.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

using editor::BackupListing;
using editor::RestoreChange;
using editor::SaveChoice;
using editor::TextBox;
using ::testing::HasSubstr;
using Image = std::vector<db::Byte>;

// Picks a listed backup and answers the differences; keeps what it was shown.
class FakeChooser final : public editor::BackupChooser {
 public:
  std::optional<int> chooseBackup(const std::string&,
                                  const std::vector<BackupListing>& backups) override {
    listed = backups;
    return pick;
  }
  bool confirmRestore(const BackupListing&, const std::vector<RestoreChange>& shown) override {
    changes = shown;
    return apply;
  }

  std::optional<int> pick = 0;
  bool apply = true;
  std::vector<BackupListing> listed;
  std::vector<RestoreChange> changes;
};

TEST(EditorRestore, TheChosenBackupShowsItsChangesAndApplyWritesItBackAndShowsIt) {
  EditorHarness h;
  h.startOrFail();
  const Image original = h.fileBytes();
  h.view.type(TextBox::txtRealName, "Saved Name");
  h.editor.mnuSave_Click();
  const Image saved = h.fileBytes();
  h.view.type(TextBox::txtRealName, "Never Saved");

  FakeChooser chooser;
  chooser.apply = false;
  h.prompts.saveChoices = {SaveChoice::Discard};
  h.editor.mnuRestore_Click(chooser);
  ASSERT_EQ(h.prompts.questions.size(), 2u) << "the save, then the unsaved edits";
  ASSERT_EQ(chooser.listed.size(), 1u);
  EXPECT_EQ(chooser.listed[0].operation, "save");
  EXPECT_EQ(chooser.listed[0].differingPlayers, 1);
  ASSERT_FALSE(chooser.changes.empty());
  const RestoreChange& name = chooser.changes[0];
  EXPECT_THAT(name.team, HasSubstr("1 ("));
  EXPECT_EQ(name.slot, 1);
  EXPECT_EQ(name.player, "Saved Name");
  EXPECT_EQ(name.field, "Name");
  EXPECT_EQ(name.now, "Saved Name");
  EXPECT_EQ(h.fileBytes(), saved) << "Cancel writes nothing";

  chooser.apply = true;
  h.editor.mnuRestore_Click(chooser);
  EXPECT_EQ(h.fileBytes(), original);
  EXPECT_NE(h.view.text(TextBox::txtRealName), "Saved Name") << "the window shows the file";
  EXPECT_EQ(db::decodeUpToNul(h.memoryPlayer(1).realName), name.restored);
  EXPECT_FALSE(h.editor.hasUnsavedEdits());

  // The restore was backed up first, so it can be undone in turn.
  chooser.apply = true;
  h.editor.mnuRestore_Click(chooser);
  EXPECT_EQ(chooser.listed.at(0).operation, "restore");
  EXPECT_EQ(h.fileBytes(), saved);
}

// Three saves of one run: the newest backup undoes the last save alone, the run's first gives
// the file as it was before the run; in the window and through zelbor-db restore alike.
class ThreeSaves : public ::testing::Test {
 protected:
  ThreeSaves() {
    h.startOrFail();
    images.push_back(h.fileBytes());
    for (const char* name : {"First Save", "Second Save", "Third Save"}) {
      h.view.type(TextBox::txtRealName, name);
      h.editor.mnuSave_Click();
      images.push_back(h.fileBytes());
    }
  }

  EditorHarness h;
  // The file before the run, then after each save.
  std::vector<Image> images;
};

TEST_F(ThreeSaves, EachSaveIsNamedAndUndoneOnItsOwn) {
  FakeChooser chooser;
  chooser.apply = false;
  h.editor.mnuRestore_Click(chooser);
  ASSERT_EQ(chooser.listed.size(), 3u);
  for (const BackupListing& listing : chooser.listed) EXPECT_EQ(listing.operation, "save");
  EXPECT_THAT(chooser.listed[0].description,
              ::testing::StartsWith("save of team 1 (Team 1): Third Save; write 3 of the run that "
                                    "began writing at " +
                                    chooser.listed[2].when));
  EXPECT_THAT(chooser.listed[1].description,
              ::testing::StartsWith("save of team 1 (Team 1): Second Save; write 2 of the run"));
  EXPECT_EQ(chooser.listed[2].description,
            "save of team 1 (Team 1): First Save; first write of its run: the file as it was "
            "before the run");
  EXPECT_TRUE(chooser.listed[2].beforeRun);
  EXPECT_FALSE(chooser.listed[0].beforeRun);

  chooser.apply = true;
  chooser.pick = 0;
  h.editor.mnuRestore_Click(chooser);
  EXPECT_EQ(h.fileBytes(), images[2]) << "the last save undone";
  // The restore's own backup is now the newest; the run's first is the oldest.
  chooser.pick = 3;
  h.editor.mnuRestore_Click(chooser);
  ASSERT_EQ(chooser.listed.size(), 4u);
  EXPECT_EQ(chooser.listed[0].operation, "restore");
  EXPECT_EQ(h.fileBytes(), images[0]) << "the file as it was before the run";
}

TEST_F(ThreeSaves, TheCommandLineRestoresTheSameBackups) {
  const auto restore = [this](const std::string& backup) {
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        cli::runCli({"restore", h.databasePath, backup}, out, err, {h.fileSystem, h.programFolder});
    EXPECT_EQ(status, 0) << err.str();
  };
  FakeChooser chooser;
  chooser.apply = false;
  h.editor.mnuRestore_Click(chooser);
  ASSERT_EQ(chooser.listed.size(), 3u);
  std::vector<std::string> backups;
  for (const auto& folder : std::filesystem::directory_iterator(h.backupFolder())) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".bak") backups.push_back(entry.path().string());
    }
  }
  std::sort(backups.begin(), backups.end());
  ASSERT_EQ(backups.size(), 3u);
  restore(backups[2]);
  EXPECT_EQ(h.fileBytes(), images[2]) << "the last save undone";
  restore(backups[0]);
  EXPECT_EQ(h.fileBytes(), images[0]) << "the file as it was before the run";
}

// However long a run of saves, the file as it was before it stays restorable.
TEST(EditorRestore, TwoHundredSavesKeepTheFileBeforeTheRun) {
  EditorHarness h(std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "");
  h.startOrFail();
  const Image original = h.fileBytes();
  for (int save = 1; save <= 200; ++save) {
    h.view.type(TextBox::txtRealName, "Save " + std::to_string(save));
    h.editor.mnuSave_Click();
  }
  ASSERT_TRUE(h.prompts.messages.empty()) << h.messageTexts().at(0);
  FakeChooser chooser;
  chooser.pick = static_cast<int>(db::kNewestKept);
  h.editor.mnuRestore_Click(chooser);
  ASSERT_EQ(chooser.listed.size(), db::kNewestKept + 1) << "the newest and the run's first";
  EXPECT_TRUE(chooser.listed.back().beforeRun);
  EXPECT_THAT(chooser.listed.front().description, HasSubstr("Save 200; write 200 of the run"));
  EXPECT_EQ(h.fileBytes(), original);
}

TEST(EditorRestore, WithoutBackupsTheUserIsToldAndNothingIsAsked) {
  EditorHarness h;
  h.startOrFail();
  const Image original = h.fileBytes();
  FakeChooser chooser;
  h.editor.mnuRestore_Click(chooser);
  EXPECT_TRUE(chooser.listed.empty());
  ASSERT_EQ(h.messageTexts().size(), 1u);
  EXPECT_THAT(h.messageTexts()[0], HasSubstr("There is no backup of \"" + h.databasePath));
  EXPECT_EQ(h.fileBytes(), original);
}

}  // namespace
}  // namespace zelbor::testing
