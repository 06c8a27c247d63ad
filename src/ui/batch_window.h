#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <array>

#include "batch/batch_factors.h"
#include "editor/editor.h"
#include "form_dialog.h"

namespace zelbor::ui {

// frmBatch: eight sliders set the percentage of each batting and bowling ability, an option
// chooses all teams or the current one, and "Process" runs the batch and closes the window with
// Accepted; the caller then shows the file hash. Closed any other way, nothing is processed.
class BatchWindow final : public FormDialog {
 public:
  // `currentTeam` is the team list's text, shown in the second option's caption.
  BatchWindow(editor::Editor& editor, const QString& currentTeam, QWidget* owner);

  // battingFactors and bowlingFactors: 1 for a slider never moved.
  const batch::BatchFactors& factors() const { return state_.factors(); }

 private:
  // `first` is the ability of the group's first slider: 0 for batting, 4 for bowling.
  void connectSliders(const std::array<QSlider*, 4>& sliders, const std::array<QLabel*, 4>& labels,
                      int first);

  editor::Editor& editor_;
  editor::BatchWindowState state_;
  std::array<QSlider*, 4> sldBat;
  std::array<QSlider*, 4> sldBowl;
  std::array<QLabel*, 4> lblBat;
  std::array<QLabel*, 4> lblBowl;
  QRadioButton* optAll;
  QRadioButton* optCurrent;
  QPushButton* cmdProcess;
};

}  // namespace zelbor::ui
