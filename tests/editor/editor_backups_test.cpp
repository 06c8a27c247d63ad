#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>

#include "batch/ability_scaling.h"
#include "db/text_codec.h"
#include "editor/messages.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

namespace fs = std::filesystem;
using editor::Answer;
using editor::TextBox;
using ::testing::HasSubstr;
using Image = std::vector<db::Byte>;

// The backups of the harness's database, oldest first.
std::vector<fs::path> backupsOf(const EditorHarness& h) {
  std::vector<fs::path> found;
  if (!fs::exists(h.backupFolder())) return found;
  for (const auto& folder : fs::directory_iterator(h.backupFolder())) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() == ".bak") found.push_back(entry.path());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(EditorBackups, EverySaveAndEveryWalkLeaveABackupOfTheFileBefore) {
  EditorHarness h;
  h.startOrFail();
  const Image original = h.fileBytes();
  h.view.type(TextBox::txtRealName, "First Save");
  h.editor.mnuSave_Click();
  const Image firstSaved = h.fileBytes();
  h.view.type(TextBox::txtRealName, "Second Save");
  h.editor.mnuSave_Click();
  std::vector<fs::path> backups = backupsOf(h);
  ASSERT_EQ(backups.size(), 2u) << "each save, not only the first of the run";
  EXPECT_EQ(readFileBytes(backups[0]), original);
  EXPECT_EQ(readFileBytes(backups[1]), firstSaved);
  EXPECT_THAT(backups[0].filename().string(), HasSubstr("_save_"));
  EXPECT_THAT(backups[0].filename().string(), HasSubstr("-1_TeamAndPlayerInfo.bag.bak"));
  EXPECT_THAT(backups[1].filename().string(), HasSubstr("-2_TeamAndPlayerInfo.bag.bak"));

  const Image saved = h.fileBytes();
  h.prompts.answers = {Answer::Yes};
  batch::BatchFactors factors;
  factors.batting.fill(batch::factorForSliderValue(30));
  h.editor.BatchAll(factors);
  backups = backupsOf(h);
  ASSERT_EQ(backups.size(), 3u) << "and before each walk";
  EXPECT_EQ(readFileBytes(backups[2]), saved);
  EXPECT_THAT(backups[2].filename().string(), HasSubstr("_batch_"));

  const Image batched = h.fileBytes();
  h.prompts.answers = {Answer::Yes};
  h.editor.mnuFixSpoof_Click();
  backups = backupsOf(h);
  ASSERT_EQ(backups.size(), 4u);
  EXPECT_EQ(readFileBytes(backups[3]), batched);
}

TEST(EditorBackups, WithoutABackupNothingIsWrittenUnlessTheUserChoosesToWriteAnyway) {
  EditorHarness h;
  h.startOrFail();
  const Image original = h.fileBytes();
  // A file where the backups folder belongs.
  fs::create_directories(fs::path(h.backupFolder()).parent_path());
  writeFileBytes(h.backupFolder(), {1});

  h.view.type(TextBox::txtRealName, "Kept On Screen");
  h.editor.mnuSave_Click();  // the question's default, No
  ASSERT_EQ(h.prompts.questions.size(), 2u);
  EXPECT_EQ(h.prompts.questions[0], "Save current player?");
  EXPECT_THAT(h.prompts.questions[1], HasSubstr("it is not a folder"));
  EXPECT_THAT(h.prompts.questions[1], HasSubstr(editor::messages::kWriteWithoutBackupQuestion));
  EXPECT_THAT(h.messageTexts().at(0), HasSubstr("No backup could be made of \"" + h.databasePath));
  EXPECT_THAT(h.messageTexts().at(0), HasSubstr("Nothing was written."));
  EXPECT_EQ(h.fileBytes(), original);
  EXPECT_EQ(h.view.text(TextBox::txtRealName), "Kept On Screen");

  h.prompts.answers = {Answer::Yes, Answer::Yes};  // save the player, write without a backup
  h.editor.mnuSave_Click();
  Image expected = original;
  putPlayer(expected, 1, 1, h.memoryPlayer(1));
  EXPECT_EQ(h.fileBytes(), expected) << "written without a backup, knowingly";
  EXPECT_EQ(db::decodeUpToNul(h.memoryPlayer(1).realName), "Kept On Screen");
}

}  // namespace
}  // namespace zelbor::testing
