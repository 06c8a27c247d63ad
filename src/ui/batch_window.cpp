#include "batch_window.h"

#include "forms/batch_form.h"

namespace zelbor::ui {
namespace {

template <class Widget>
std::array<Widget*, 4> controlArray(const QWidget* window, std::string_view array) {
  std::array<Widget*, 4> controls{};
  for (int i = 0; i < 4; ++i)
    controls[i] = findControl<Widget>(window, forms::arrayElement(array, i));
  return controls;
}

}  // namespace

BatchWindow::BatchWindow(editor::Editor& editor, const QString& currentTeam, QWidget* owner)
    : FormDialog(forms::batchForm(), owner),
      editor_(editor),
      sldBat(controlArray<QSlider>(this, "sldBat")),
      sldBowl(controlArray<QSlider>(this, "sldBowl")),
      lblBat(controlArray<QLabel>(this, "lblBat")),
      lblBowl(controlArray<QLabel>(this, "lblBowl")),
      optAll(control<QRadioButton>("optAll")),
      optCurrent(control<QRadioButton>("optCurrent")),
      cmdProcess(control<QPushButton>("cmdProcess")) {
  optCurrent->setText(QString::fromStdString(forms::currentTeamCaption(currentTeam.toStdString())));
  connectSliders(sldBat, lblBat, 0);
  connectSliders(sldBowl, lblBowl, 4);
  cmdProcess->setEnabled(state_.processEnabled());
  const std::pair<QRadioButton*, editor::BatchScope> options[] = {
      {optAll, editor::BatchScope::AllTeams}, {optCurrent, editor::BatchScope::CurrentTeam}};
  for (const auto& [option, scope] : options) {
    connect(option, &QRadioButton::toggled, this, [this, scope](bool checked) {
      if (!checked) return;
      state_.chooseScope(scope);
      cmdProcess->setEnabled(state_.processEnabled());
    });
  }
  connect(cmdProcess, &QPushButton::clicked, this, [this] {
    editor_.cmdProcess_Click(state_);
    accept();
  });
}

void BatchWindow::connectSliders(const std::array<QSlider*, 4>& sliders,
                                 const std::array<QLabel*, 4>& labels,
                                 int first) {
  for (std::size_t i = 0; i < sliders.size(); ++i) {
    QSlider* slider = sliders[i];
    QLabel* label = labels[i];
    const int ability = first + static_cast<int>(i);
    slider->setRange(batch::kSliderMinimum, batch::kSliderMaximum);
    // The top is 100 %: the smallest value sits at the top and Up moves towards it.
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setPageStep(10);
    slider->setTickPosition(QSlider::TicksBothSides);
    slider->setTickInterval(10);
    // While dragging only the label follows; the factor takes the value where the slider settles.
    slider->setTracking(false);
    connect(slider, &QSlider::sliderMoved, label, [label](int value) {
      label->setText(QString::fromStdString(batch::percentLabel(value)));
    });
    connect(slider, &QSlider::valueChanged, label, [this, label, ability](int value) {
      label->setText(QString::fromStdString(state_.setSlider(ability, value)));
    });
  }
}

}  // namespace zelbor::ui
