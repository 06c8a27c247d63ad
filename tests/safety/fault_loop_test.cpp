// Fails every file call of the operations that write, the backup's before them included, one at a
// time and from a call on, and checks that the file never holds anything but old or new team
// areas, that the user hears of it with the file's name, and that no descriptor stays open.
#include <gmock/gmock.h>

#include <filesystem>
#include <regex>

#include "db/layout.h"
#include "sample/sample_database.h"
#include "support/editor_fixture.h"

namespace zelbor::testing {
namespace {

using Image = std::vector<db::Byte>;

struct Operation {
  const char* name;
  std::function<void(EditorHarness&)> run;
};

const Operation kOperations[] = {
    {"save current team",
     [](EditorHarness& h) {
       h.view.type(editor::TextBox::txtRealName, "Saved Name");
       h.view.type(editor::txtBat(1), "12");
       h.editor.mnuSave_Click();
     }},
    {"batch all teams",
     [](EditorHarness& h) {
       batch::BatchFactors factors;
       factors.batting.fill(batch::factorForSliderValue(20));
       factors.bowling.fill(batch::factorForSliderValue(35));
       h.editor.BatchAll(factors);
     }},
    {"spoof repair", [](EditorHarness& h) { h.editor.mnuFixSpoof_Click(); }},
};

// Sync and tmpfs make the hundreds of runs cheap; any folder works.
std::filesystem::path fastFolder() {
  return std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "";
}

Image outsidePlayerAreas(Image image) {
  for (int team = 1; team <= db::kTeamCount; ++team) {
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(db::playerAreaStart(team)),
                db::kPlayerAreaSize, db::Byte{0});
  }
  return image;
}

// The team named in a message like "... stopped at team 5 (...)", or 0.
int stoppedAtTeam(const std::vector<std::string>& messages) {
  static const std::regex pattern("stopped at team ([0-9]+)");
  for (const std::string& message : messages) {
    std::smatch match;
    if (std::regex_search(message, match, pattern)) return std::stoi(match[1]);
  }
  return 0;
}

class FaultLoopTest : public ::testing::TestWithParam<Operation> {
 protected:
  struct Run {
    Image after;
    std::vector<std::string> messages;
    int faultsFired = 0;
    int openFiles = 0;
    bool reopens = false;
  };

  // With faults off the file opens again and every team loads.
  static bool reopens(const std::string& path) {
    auto database = db::Database::open(db::systemFileSystem(), path);
    if (!database) return false;
    for (int team = 1; team <= db::kTeamCount; ++team) {
      if (!database.value().readTeamPlayers(team)) return false;
    }
    return true;
  }

  Run runWith(FaultyFileSystem::FaultRule rule) {
    EditorHarness harness(fastFolder(), /*backups=*/true);
    harness.startOrFail(old_);
    const int callsBefore = harness.fileSystem.callCount();
    int fired = 0;
    harness.fileSystem.setRule([&](int call, FileCall kind) {
      const Fault fault = rule ? rule(call - callsBefore, kind) : Fault::None;
      fired += fault != Fault::None ? 1 : 0;
      return fault;
    });
    GetParam().run(harness);
    harness.fileSystem.setRule({});
    if (calls_.empty()) {
      calls_.assign(harness.fileSystem.calls().begin() + callsBefore,
                    harness.fileSystem.calls().end());
    }
    return {harness.fileBytes(), harness.messageTexts(), fired, harness.fileSystem.openFiles(),
            reopens(harness.databasePath)};
  }

  void checkRun(const Run& run, const Image& fresh, const std::string& what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(run.after.size(), old_.size()) << "the file's length never changes";
    EXPECT_EQ(outsidePlayerAreas(run.after), outsidePlayerAreas(old_));
    EXPECT_EQ(run.openFiles, 0);
    EXPECT_TRUE(run.reopens);
    if (run.faultsFired > 0) {
      EXPECT_THAT(run.messages, ::testing::Contains(::testing::HasSubstr(databaseName_)))
          << "the user is told, with the file's name";
    }
    const int stopped = stoppedAtTeam(run.messages);
    int mixedTeams = 0;
    for (int team = 1; team <= db::kTeamCount; ++team) {
      const Image now = playerArea(run.after, team);
      const bool isOld = now == playerArea(old_, team);
      const bool isNew = now == playerArea(fresh, team);
      if (stopped != 0 && team < stopped) {
        EXPECT_TRUE(isNew) << "team " << team << " was written";
      }
      if (stopped != 0 && team > stopped) {
        EXPECT_TRUE(isOld) << "team " << team << " untouched";
      }
      mixedTeams += isOld || isNew ? 0 : 1;
    }
    EXPECT_EQ(mixedTeams, 0) << "every team area is old or new";
  }

  Image old_ = sample::makeSampleDatabase();
  std::string databaseName_ = "TeamAndPlayerInfo.bag";
  std::vector<FileCall> calls_;
};

TEST_P(FaultLoopTest, EveryFailingCallLeavesOldOrNewTeamsAndIsReported) {
  const Run clean = runWith({});
  ASSERT_NE(clean.after, old_) << "the operation changes the file";
  ASSERT_EQ(clean.faultsFired, 0);
  const std::vector<FileCall> calls = calls_;
  ASSERT_GT(calls.size(), 4u);

  for (int k = 1; k <= static_cast<int>(calls.size()); ++k) {
    checkRun(runWith([k](int call, FileCall) { return call == k ? Fault::Fail : Fault::None; }),
             clean.after, "call " + std::to_string(k) + " fails");
    checkRun(runWith([k](int call, FileCall) { return call >= k ? Fault::Fail : Fault::None; }),
             clean.after, "calls from " + std::to_string(k) + " on fail");
  }
}

TEST_P(FaultLoopTest, AWriteCutShortIsReportedAndStaysInsideItsTeam) {
  const Run clean = runWith({});
  const std::vector<FileCall> calls = calls_;
  for (int k = 1; k <= static_cast<int>(calls.size()); ++k) {
    if (calls[k - 1] != FileCall::Write) continue;
    const Run run =
        runWith([k](int call, FileCall) { return call == k ? Fault::CutShort : Fault::None; });
    SCOPED_TRACE("write at call " + std::to_string(k) + " cut short");
    ASSERT_EQ(run.after.size(), old_.size());
    EXPECT_EQ(outsidePlayerAreas(run.after), outsidePlayerAreas(old_));
    EXPECT_THAT(run.messages, ::testing::Contains(::testing::HasSubstr(databaseName_)));
    int teamsNeitherOldNorNew = 0;
    for (int team = 1; team <= db::kTeamCount; ++team) {
      const Image now = playerArea(run.after, team);
      if (now != playerArea(old_, team) && now != playerArea(clean.after, team))
        ++teamsNeitherOldNorNew;
    }
    EXPECT_LE(teamsNeitherOldNorNew, 1);
    EXPECT_EQ(run.openFiles, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(WritingOperations, FaultLoopTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           std::replace(name.begin(), name.end(), ' ', '_');
                           return name;
                         });

}  // namespace
}  // namespace zelbor::testing
