#include "shown_texts.h"

#include <stdexcept>

#include "batch/batch_factors.h"
#include "editor/controls.h"
#include "editor_fixture.h"
#include "forms/batch_form.h"
#include "forms/file_hash_form.h"
#include "forms/lineup_form.h"
#include "forms/main_window_form.h"
#include "sample/sample_database.h"

namespace zelbor::testing {
namespace {

ShownTexts captionsOf(forms::FormSpec form) {
  ShownTexts shown{std::move(form), {}, {}};
  for (const forms::ControlSpec& row : shown.form.controls) {
    if (!row.caption.empty()) shown.texts[row.name].insert(row.caption);
  }
  return shown;
}

// Blanks after a stored name or text show nothing: only the visible part must fit.
std::string visible(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void addViewTexts(const FakeView& view, ShownTexts& shown) {
  for (const auto& [box, text] : view.texts) {
    shown.texts[editor::designName(box)].insert(visible(text));
  }
  for (const auto& [list, items] : view.items) {
    for (const std::string& item : items) {
      shown.texts[std::string(editor::designName(list))].insert(visible(item));
    }
  }
  for (const auto& [row, bar] : view.bars) {
    const editor::TextBox box = editor::abilityBox(row);
    shown.widths[editor::designName(box)][visible(view.text(box))] = bar.second;
  }
}

}  // namespace

std::vector<ShownTexts> textsOfTheSampleDatabase() {
  EditorHarness harness;
  if (harness.start(sample::makeSampleDatabase()) != editor::StartupOutcome::Ready) {
    throw std::runtime_error("the editor did not start on the sample database");
  }
  ShownTexts main = captionsOf(forms::mainWindowForm());
  ShownTexts batch = captionsOf(forms::batchForm());
  ShownTexts hash = captionsOf(forms::fileHashForm());
  ShownTexts lineups = captionsOf(forms::lineupForm());
  FakeView& view = harness.view;
  const std::vector<std::string> teams = view.listItems(editor::ListControl::cboTeams);
  for (int team = 0; team < static_cast<int>(teams.size()); ++team) {
    harness.pickTeam(team);
    const int players = static_cast<int>(view.listItems(editor::ListControl::lstPlayers).size());
    for (int player = 0; player < players; ++player) {
      harness.pickPlayer(player);
      addViewTexts(view, main);
    }
    batch.texts["optCurrent"].insert(forms::currentTeamCaption(teams[team]));
    harness.editor.mnuLineup_Click();
  }
  for (const editor::LineupLines& lines : view.shownLineups) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      for (const std::string& line : lines[i]) {
        lineups.texts[forms::kLineupListNames[i]].insert(visible(line));
      }
    }
  }
  // Each slider's label follows it over its whole range.
  for (int value = batch::kSliderMinimum; value <= batch::kSliderMaximum; ++value) {
    for (int i = 0; i < 4; ++i) {
      for (const char* array : {"lblBat", "lblBowl"}) {
        batch.texts[forms::arrayElement(array, i)].insert(batch::percentLabel(value));
      }
    }
  }
  harness.editor.mnuFileHash_Click();
  hash.texts["txtHash"].insert(view.shownHashes.begin(), view.shownHashes.end());
  return {main, batch, hash, lineups};
}

}  // namespace zelbor::testing
