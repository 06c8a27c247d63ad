#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "editor_fakes.h"
#include "support/database_image.h"
#include "support/faulty_file_system.h"
#include "support/temp_file.h"

namespace zelbor::testing {

// An editor over fakes, with its own program folder (the list files) and a database file.
class EditorHarness {
 public:
  // The files go in a new folder under `base` (the system's temporary folder when empty). With
  // `backups`, writes are backed up into backupFolder(), inside that folder.
  explicit EditorHarness(const std::filesystem::path& base = {}, bool backups = false);

  // The state folder's backups folder; a database's backups are in a folder inside it.
  std::string backupFolder() const { return dir.file("state") + "/backups"; }

  // A database whose team 1 has 6 players, team 2 has 3, team 3 none, and the others 2; every
  // team is named "Team <n>".
  static std::vector<db::Byte> standardImage();

  // Writes `image` as the database and starts the editor on it with the path given.
  editor::StartupOutcome start(const std::vector<db::Byte>& image);
  void startOrFail(const std::vector<db::Byte>& image = standardImage());

  // The user picks an entry of a list.
  void pickTeam(int index);
  void pickPlayer(int index);

  std::vector<db::Byte> fileBytes() const { return readFileBytes(databasePath); }
  const db::PlayerRecord& memoryPlayer(int index) { return editor.teamOnScreen().player(index); }
  std::vector<std::string> messageTexts() const;

  TempDir dir;
  std::string programFolder;
  std::string databasePath;
  FakeView view;
  FakePrompts prompts;
  FakeFileDialog fileDialog;
  FakeBrowser browser;
  FaultyFileSystem fileSystem;
  editor::Editor editor;
};

class EditorFixture : public ::testing::Test, public EditorHarness {};

}  // namespace zelbor::testing
