// Runs the benchmarks and, with --report=FILE, writes their medians against their budgets.
#include <QApplication>
#include <string>
#include <string_view>

#include "report.h"
#include "window_bench.h"

namespace {

const std::vector<zelbor::bench::Budget> kBudgets = {
    {"LoadTeamAllTeams", "FloorReadAllTeams", 2.0, 0},
    {"FileHash", "FloorReadAllTeams", 2.0, 0},
    {"BatchAllTeams", "FloorRewriteAllTeams", 2.0, 0},
    {"BatchAllTeamsWithBackup", "BatchAllTeams", 0, 0},
    {"SpoofRepair", "FloorRewriteAllTeams", 2.0, 0},
    {"ImportUnchangedCsv", "ExportCsv", 2.0, 0},
    {"PreviewImportUnchangedXlsx", "ExportXlsx", 2.0, 0},
    {"EditorStartUp", "FloorEmptyWindowStartUp", 1.5, 0},
    {"EditorStartUp", "FloorOneLabelWindowStartUp", 0, 0},
    {"StartUpToWindowBuilt", "FloorEmptyWindowStartUp", 0, 0},
    {"StartUpToEditorStarted", "FloorEmptyWindowStartUp", 0, 0},
    {"SwitchPlayer", "", 0, 1000},
    {"SwitchPlayerRepainted", "", 0, 0},
    {"SwitchTeam", "", 0, 3000},
    {"SwitchTeamRepainted", "", 0, 0},
};

constexpr const char* kNotes = R"(## What the rows measure

- Database operations run on the sample database in the system's temporary folder. Their floors
  are raw loops of the same system calls: 17 x (open, pread of 20736 bytes, close) for the reads;
  for the rewrites also 17 x (open, fstat, pwrite of the team's records, fdatasync, close).
- The batch with its backup is measured against the batch alone: the whole file copied into a
  new backup (written, flushed, renamed, folder flushed) under the writer's lock, and the
  backups beyond the newest 50 removed afterwards.
- Importing an unedited CSV of every player (what `zelbor-db export --format csv` writes for the
  sample) is measured against that export: both run the whole command in the process, from
  reading the teams to the last line of output; the import also reads and checks every cell and
  writes nothing, as nothing changed.
- Previewing the import of an unedited xlsx workbook of every player, as the window exports it
  (item names, drop-downs), is measured against building that workbook from the loaded teams:
  the preview opens the workbook, reads its sheet, loads every team and checks every cell.
- Start-up is a whole process, from exec to the first player drawn (offscreen), against a process
  that shows and draws an empty QMainWindow; for comparison also against one whose window holds
  a single label.
- A switch is the work a user's pick does before it returns: the editor's handler and the widget
  updates, with the bars set through the palette once. The "Repainted" rows add the repaint of
  the window that Qt's event loop does afterwards, shown for information.

## Where a budget is not met

Start-up: the editor's process builds and draws a window of about 150 controls, where the floor's
builds and draws none. The rows StartUpToWindowBuilt and StartUpToEditorStarted are the same
process stopped after building the window and after the editor's own start-up (list files, the
479 faces, the team names, team 1 and the first player with its picture), so the steps from the
floor to them, and on to EditorStartUp, are what building, starting and the first drawing cost.
Building the controls (the first of each kind sets up Qt's style and fonts) and drawing them make
the gap; the editor's own start-up is a small step. The window is built from one layout table,
without style sheets, and its bars are set through the palette once per change; what is left is
Qt's cost of creating and painting the designed controls.
)";

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 3 && std::string_view(argv[1]).starts_with("--startup-probe=")) {
    return zelbor::bench::runStartupProbe(std::string(argv[1]).substr(16), argv[2], argc, argv);
  }
  std::string reportPath;
  const std::string command = "scripts/bench";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.starts_with("--report=")) {
      reportPath = argument.substr(9);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  zelbor::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (!reportPath.empty())
    zelbor::bench::writeReport(reportPath, kBudgets, reporter.medians(), command, kNotes);
  return 0;
}
