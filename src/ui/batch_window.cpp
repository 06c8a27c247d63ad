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
  optCurrent->setText(QStringLiteral("Current Team (") + currentTeam + QStringLiteral(")"));
  connectSliders(sldBat, lblBat, factors_.batting);
  connectSliders(sldBowl, lblBowl, factors_.bowling);
  cmdProcess->setEnabled(false);
  for (QRadioButton* option : {optAll, optCurrent}) {
    // Once a scope is chosen, "Process" stays enabled.
    connect(option, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) cmdProcess->setEnabled(true);
    });
  }
  connect(cmdProcess, &QPushButton::clicked, this, [this] { cmdProcess_Click(); });
}

void BatchWindow::connectSliders(const std::array<QSlider*, 4>& sliders,
                                 const std::array<QLabel*, 4>& labels,
                                 std::array<float, 4>& factors) {
  for (std::size_t i = 0; i < sliders.size(); ++i) {
    QSlider* slider = sliders[i];
    QLabel* label = labels[i];
    float& factor = factors[i];
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
    connect(slider, &QSlider::valueChanged, label, [label, &factor](int value) {
      label->setText(QString::fromStdString(batch::percentLabel(value)));
      factor = batch::factorForSliderValue(value);
    });
  }
}

void BatchWindow::cmdProcess_Click() {
  if (optAll->isChecked()) {
    editor_.BatchAll(factors_);
  } else {
    editor_.BatchCurrent(factors_);
  }
  accept();
}

}  // namespace zelbor::ui
