#include "editor_fixture.h"

#include <filesystem>

#include "db/filesystem_path.h"
#include "db/list_files.h"

namespace zelbor::testing {

EditorHarness::EditorHarness(const std::filesystem::path& base)
    : dir(base),
      programFolder(dir.file("program")),
      databasePath(dir.file("TeamAndPlayerInfo.bag")),
      fileSystem(db::systemFileSystem()),
      editor(view, prompts, fileDialog, browser, fileSystem,
             {programFolder, {}, ".", [this]() -> db::Result<db::BackupFolder> {
                return db::BackupFolder{{dir.file("state")}, {backupFolder()}};
              },
               dir.file("editor.conf")}) {
  // The tests run beside the built program, where the list files lie.
  const std::filesystem::path folder = db::filesystemPath(programFolder);
  std::filesystem::create_directory(folder);
  for (const std::string_view name : db::kListFileNames) {
    const std::filesystem::path file = db::filesystemPath(std::string(name));
    std::filesystem::copy_file(file, folder / file);
  }
}

std::vector<db::Byte> EditorHarness::standardImage() {
  std::vector<db::Byte> image = blankDatabase();
  for (int team = 1; team <= db::kTeamCount; ++team) {
    putTeamName(image, team, "Team " + std::to_string(team));
    if (team != 3)
      putTeam(image, team,
              team == 1   ? 6
              : team == 2 ? 3
                          : 2,
              "T" + std::to_string(team) + " Player");
  }
  return image;
}

editor::StartupOutcome EditorHarness::start(const std::vector<db::Byte>& image) {
  writeFileBytes(databasePath, image);
  return editor.InitialiseEditor(databasePath);
}

void EditorHarness::startOrFail(const std::vector<db::Byte>& image) {
  ASSERT_EQ(start(image), editor::StartupOutcome::Ready)
      << ::testing::PrintToString(messageTexts());
}

void EditorHarness::pickTeam(int index) {
  view.selections[editor::ListControl::cboTeams] = index;
  editor.cboTeams_Click();
}

void EditorHarness::pickPlayer(int index) {
  view.selections[editor::ListControl::lstPlayers] = index;
  editor.lstPlayers_Click();
}

std::vector<std::string> EditorHarness::messageTexts() const {
  std::vector<std::string> texts;
  for (const auto& [text, icon] : prompts.messages) texts.push_back(text);
  return texts;
}

}  // namespace zelbor::testing
