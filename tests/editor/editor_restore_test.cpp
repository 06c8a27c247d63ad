#include <gmock/gmock.h>

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
  EXPECT_EQ(name.field, "realName");
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
