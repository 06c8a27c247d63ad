#include <gmock/gmock.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "db/filesystem_path.h"
#include "editor/install_folder.h"
#include "editor/messages.h"
#include "support/editor_fixture.h"
#include "support/system_reasons.h"

namespace zelbor::testing {
namespace {

using editor::ListControl;
using editor::MessageIcon;
using editor::StartupOutcome;
using editor::TextBox;
using ::testing::HasSubstr;

class StartupTest : public EditorFixture {};

TEST_F(StartupTest, ShowsTeamOneWithItsFirstPlayer) {
  startOrFail();
  EXPECT_EQ(view.caption, databasePath);
  EXPECT_EQ(view.listItems(ListControl::cboTeams).size(), 17u);
  EXPECT_EQ(view.listItems(ListControl::cboTeams)[16], "Team 17");
  EXPECT_EQ(view.selectedIndex(ListControl::cboTeams), 0);
  EXPECT_EQ(view.listItems(ListControl::lstPlayers).size(), 6u);
  EXPECT_EQ(view.selectedIndex(ListControl::lstPlayers), 0);
  EXPECT_EQ(view.text(TextBox::txtRealName), "T1 Player 1");
  EXPECT_EQ(editor.currentPlayer(), 1);
  EXPECT_FALSE(editor.loadingTeam());

  const auto& faces = view.listItems(ListControl::cboFace);
  ASSERT_EQ(faces.size(), 479u);
  EXPECT_EQ(faces.front(), "Face 0");
  EXPECT_EQ(faces.back(), "Face 478");
  EXPECT_EQ(view.listItems(ListControl::cboBat).front(), "Oakridge Classic");
  EXPECT_EQ(view.listItems(ListControl::cboRole)[3], "-");
  EXPECT_EQ(fileDialog.shown, 0) << "a path on the command line skips the dialog";
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(StartupTest, TheDialogChoosesTheDatabaseAndCancelEndsSilently) {
  writeFileBytes(databasePath, standardImage());
  fileDialog.answer = databasePath;
  EXPECT_EQ(editor.InitialiseEditor(), StartupOutcome::Ready);
  ASSERT_EQ(fileDialog.types.size(), 2U);
  EXPECT_EQ(editor::shownType(fileDialog.types[0], ";"),
            "Zelbor Player Database (*TeamAndPlayerInfo.bag)");
  EXPECT_EQ(editor::shownType(fileDialog.types[1], ";"),
            "All files (" + std::string(editor::kAllFilesPattern) + ")");
  EXPECT_EQ(fileDialog.initialFolder, "");

  FakeView otherView;
  FakeFileDialog cancelling;
  editor::Editor cancelled(otherView, prompts, cancelling, browser, fileSystem,
                           {programFolder, {}, "."});
  EXPECT_EQ(cancelled.InitialiseEditor(), StartupOutcome::Cancelled);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_TRUE(otherView.listItems(ListControl::cboTeams).empty());
}

TEST_F(StartupTest, ARefusedStartNamesTheFileAndTheReason) {
  struct Case {
    const char* what;
    std::function<void(EditorHarness&)> prepare;
    std::vector<std::string> expectedInMessage;
  };
  std::vector<Case> cases = {
      {"missing list file",
       [](EditorHarness& f) { std::filesystem::remove(f.programFolder + "/Kit3.txt"); },
       {"Kit3.txt", missingFileReason()}},
      {"database too short",
       [](EditorHarness& f) { std::filesystem::resize_file(f.databasePath, 1000); },
       {"TeamAndPlayerInfo.bag", "1000 bytes", "358134"}},
      {"database missing",
       [](EditorHarness& f) { std::filesystem::remove(f.databasePath); },
       {"TeamAndPlayerInfo.bag", missingFileReason()}},
  };
#ifndef _WIN32
  // Refused at once: opening a FIFO to read would wait for a writer that never comes.
  cases.push_back({"database a FIFO",
                   [](EditorHarness& f) {
                     std::filesystem::remove(f.databasePath);
                     ASSERT_EQ(::mkfifo(f.databasePath.c_str(), 0600), 0);
                   },
                   {"TeamAndPlayerInfo.bag", "not a regular file"}});
  cases.push_back({"list file a FIFO",
                   [](EditorHarness& f) {
                     std::filesystem::remove(f.programFolder + "/Bats.txt");
                     ASSERT_EQ(::mkfifo((f.programFolder + "/Bats.txt").c_str(), 0600), 0);
                   },
                   {"Bats.txt", "not a regular file"}});
#endif
  for (const Case& c : cases) {
    EditorHarness f;
    writeFileBytes(f.databasePath, standardImage());
    c.prepare(f);
    EXPECT_EQ(f.editor.InitialiseEditor(f.databasePath), StartupOutcome::Failed) << c.what;
    ASSERT_EQ(f.prompts.messages.size(), 1u) << c.what;
    EXPECT_EQ(f.prompts.messages[0].second, MessageIcon::Warning);
    for (const std::string& part : c.expectedInMessage) {
      EXPECT_THAT(f.prompts.messages[0].first, HasSubstr(part)) << c.what;
    }
    EXPECT_TRUE(f.view.listItems(ListControl::lstPlayers).empty()) << c.what;
  }
}

TEST_F(StartupTest, AReadOnlyFileIsRefusedWithTheReadOnlyMessage) {
  writeFileBytes(databasePath, standardImage());
  std::filesystem::permissions(
      databasePath, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(editor.InitialiseEditor(databasePath), StartupOutcome::Failed);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].first,
            "The file is currently read-only.  Please change this before using this player editor");
  EXPECT_EQ(prompts.messages[0].second, MessageIcon::None);
  EXPECT_TRUE(view.listItems(ListControl::cboTeams).empty()) << "nothing is listed";
}

TEST_F(StartupTest, TheDialogStartsInTheGameFolderOfTheWinePrefix) {
  const auto Path = [](const db::Path& path) { return db::filesystemPath(path); };
  const std::string prefix = dir.file("wine");
  const std::string game = prefix + "/drive_c/Program Files/Varnholt/Zelbor";
  std::filesystem::create_directories(game + "/Data/Gui");
  const std::vector<db::Path> folders = editor::gameInstallFolders(prefix.c_str(), "/home/x");
#ifdef _WIN32
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders.front().utf8(), "C:\\Program Files\\Varnholt\\Zelbor")
      << "the default comes first";
#else
  ASSERT_EQ(folders.size(), 1u);
#endif
  EXPECT_EQ(Path(folders.back()), Path(game));
  const std::vector<db::Path> inPrefix{folders.back()};
  EXPECT_EQ(editor::initialDialogFolder(inPrefix).utf8(), "")
      << "only subfolders: no starting folder";
  writeFileBytes(game + "/.hidden", {});
  EXPECT_EQ(editor::initialDialogFolder(inPrefix).utf8(), "") << "hidden files do not count";
  writeFileBytes(game + "/Zelbor.exe", {1});
  EXPECT_EQ(Path(editor::initialDialogFolder(inPrefix)), Path(game + "/Data/Gui"));

  EXPECT_EQ(Path(editor::gameInstallFolders(nullptr, "/home/x").back()),
            Path("/home/x/.wine/drive_c/Program Files/Varnholt/Zelbor"));
}

}  // namespace
}  // namespace zelbor::testing
