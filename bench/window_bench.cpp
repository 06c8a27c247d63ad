// The window: start-up to the first player shown, as a whole process, against an empty Qt main
// window's start-up; switching player and switching team through the real widgets.
#include "window_bench.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <filesystem>
#include <string>

#include "app/editor_session.h"
#include "sample_file.h"

extern char** environ;

namespace zelbor::bench {
namespace {

const std::string& sampleCopy() {
  return sampleDatabaseFile();
}

// Runs this program again as a start-up probe and waits for it.
void runProbe(benchmark::State& state, const std::string& kind) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string mode = "--startup-probe=" + kind;
  char* arguments[] = {const_cast<char*>(self.c_str()), const_cast<char*>(mode.c_str()),
                       const_cast<char*>(sampleCopy().c_str()), nullptr};
  for (auto _ : state) {
    pid_t child = 0;
    if (::posix_spawn(&child, self.c_str(), nullptr, nullptr, arguments, environ) != 0) {
      state.SkipWithError("cannot start the probe");
      return;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the probe failed");
  }
}

void FloorEmptyWindowStartUp(benchmark::State& state) {
  runProbe(state, "empty");
}
void FloorOneLabelWindowStartUp(benchmark::State& state) {
  runProbe(state, "label");
}
void EditorStartUp(benchmark::State& state) {
  runProbe(state, "editor");
}
// The editor's start-up stopped earlier: after building the window, and after the editor's own
// start-up without showing the window. The steps between the rows are what each part costs.
void StartUpToWindowBuilt(benchmark::State& state) {
  runProbe(state, "built");
}
void StartUpToEditorStarted(benchmark::State& state) {
  runProbe(state, "started");
}

// A started editor on the sample database, for the in-process benchmarks.
app::EditorSession& session() {
  static app::EditorSession* started = [] {
    auto* s = new app::EditorSession;
    if (s->start(sampleCopy()) != editor::StartupOutcome::Ready) std::abort();
    s->window().show();
    QApplication::processEvents();
    return s;
  }();
  return *started;
}

// The user picks players 2 and 3 in turn. The switch is the work the pick does before it returns;
// with `repaint` the window is also drawn again, which Qt does afterwards, in its event loop.
void switchPlayer(benchmark::State& state, bool repaint) {
  auto* players = session().window().findChild<QListWidget*>("lstPlayers");
  int row = 1;
  for (auto _ : state) {
    players->setCurrentRow(row);
    if (repaint) QApplication::processEvents();
    row = row == 1 ? 2 : 1;
  }
  QApplication::processEvents();
}

// The user picks teams 2 and 5 in turn.
void switchTeam(benchmark::State& state, bool repaint) {
  auto* teams = session().window().findChild<QComboBox*>("cboTeams");
  int index = 1;
  for (auto _ : state) {
    teams->setCurrentIndex(index);
    emit teams->activated(index);
    if (repaint) QApplication::processEvents();
    index = index == 1 ? 4 : 1;
  }
  QApplication::processEvents();
}

void SwitchPlayer(benchmark::State& state) {
  switchPlayer(state, false);
}
void SwitchPlayerRepainted(benchmark::State& state) {
  switchPlayer(state, true);
}
void SwitchTeam(benchmark::State& state) {
  switchTeam(state, false);
}
void SwitchTeamRepainted(benchmark::State& state) {
  switchTeam(state, true);
}

BENCHMARK(FloorEmptyWindowStartUp)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(FloorOneLabelWindowStartUp)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(StartUpToWindowBuilt)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(StartUpToEditorStarted)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(EditorStartUp)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SwitchPlayer)->Unit(benchmark::kMicrosecond);
BENCHMARK(SwitchPlayerRepainted)->Unit(benchmark::kMicrosecond);
BENCHMARK(SwitchTeam)->Unit(benchmark::kMicrosecond);
BENCHMARK(SwitchTeamRepainted)->Unit(benchmark::kMicrosecond);

}  // namespace

int runStartupProbe(const std::string& kind, const std::string& databasePath, int argc,
                    char* argv[]) {
  QApplication application(argc, argv);
  if (kind == "empty" || kind == "label") {
    QMainWindow window;
    if (kind == "label") window.setCentralWidget(new QLabel("Zelbor Player Editor"));
    window.show();
    return window.grab().isNull() ? 1 : 0;
  }
  app::EditorSession probe;
  if (kind == "built") return 0;
  if (probe.start(databasePath) != editor::StartupOutcome::Ready) return 1;
  if (kind == "started") return 0;
  probe.window().show();
  return probe.window().grab().isNull() ? 1 : 0;
}

}  // namespace zelbor::bench
