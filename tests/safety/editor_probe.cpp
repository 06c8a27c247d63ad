// Runs the editor's writing operations on a database, headless, for the tests that watch a real
// process from outside (system-call tracing, injected system-call failures, a file-size limit).
//   editor-probe DATABASE PROGRAM_FOLDER [--file-size-limit BYTES] [--without-backup] OPERATION...
// Writes are backed up as the editor does, into the state folder the environment names; with
// --without-backup the backup cannot be made and the user writes without one.
// OPERATION is save, batch, spoof or hash. Each is announced on standard output as
// "operation NAME", and every message the editor gives the user follows as "message: TEXT".
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "db/file_access.h"
#include "editor/editor.h"
#include "support/editor_fakes.h"

namespace {

using namespace zelbor;

void say(const std::string& line) {
  const std::string text = line + "\n";
  // One write per line, so a trace shows the markers between the operations' own calls.
  if (::write(STDOUT_FILENO, text.data(), text.size()) < 0) std::perror("editor-probe");
}

void run(const std::string& operation, editor::Editor& editor, testing::FakeView& view,
         testing::FakePrompts& prompts) {
  say("operation " + operation);
  // The user confirms the walks and writes without a backup the probe is told not to make.
  prompts.answers = {editor::Answer::Yes, editor::Answer::Yes};
  if (operation == "save") {
    view.type(editor::TextBox::txtRealName, "Probe Saved");
    editor.mnuSave_Click();
  } else if (operation == "batch") {
    batch::BatchFactors factors;
    factors.batting.fill(batch::factorForSliderValue(20));
    editor.BatchAll(factors);
  } else if (operation == "spoof") {
    editor.mnuFixSpoof_Click();
  } else if (operation == "hash") {
    editor.mnuFileHash_Click();
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(
        stderr,
        "usage: editor-probe DATABASE PROGRAM_FOLDER [--file-size-limit BYTES] [--without-backup] "
        "OPERATION...\n");
    return 1;
  }
  int next = 3;
  if (std::strcmp(argv[next], "--file-size-limit") == 0 && argc > next + 1) {
    // Writes that reach the limit are cut short and then fail with EFBIG instead of a signal.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = std::stoull(argv[next + 1]);
    const rlimit fileSize{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0) std::perror("setrlimit");
    next += 2;
  }
  // For the tests of the database's own system calls failing: the backup's are not in the way.
  std::function<db::Result<db::BackupFolder>()> backupFolder = db::backupFolderFromEnvironment;
  if (next < argc && std::strcmp(argv[next], "--without-backup") == 0) {
    backupFolder = []() -> db::Result<db::BackupFolder> {
      return db::FileError{"", "The probe was told to keep no backups."};
    };
    ++next;
  }
  testing::FakeView view;
  testing::FakePrompts prompts;
  testing::FakeFileDialog dialog;
  testing::FakeBrowser browser;
  editor::Editor editor(view, prompts, dialog, browser, db::systemFileSystem(),
                        {argv[2], {}, ".", backupFolder});
  const editor::StartupOutcome outcome = editor.InitialiseEditor(argv[1]);
  for (int i = next; i < argc && outcome == editor::StartupOutcome::Ready; ++i)
    run(argv[i], editor, view, prompts);
  for (const auto& [text, icon] : prompts.messages) say("message: " + text);
  for (const std::string& hash : view.shownHashes) say("hash: " + hash);
  return outcome == editor::StartupOutcome::Ready ? 0 : 2;
}
