#include "batch_window.h"

namespace zelbor::ui {
namespace {

constexpr int kGroupSpacing = 960;
constexpr int kBattingLeft = 240;
constexpr int kBowlingLeft = 4200;

// Rows in tab order: batting sliders, the two options, bowling sliders, "Process". The labels
// come first so that the controls are drawn over the two bordered group labels.
std::vector<ControlSpec> batchWindowLayout() {
  using enum ControlKind;
  constexpr unsigned kGroupLook = kBordered | kBold | kCentred;
  constexpr std::array<const char*, 4> kBattingCaptions = {"Timing", "Precision", "Power",
                                                           "Control"};
  constexpr std::array<const char*, 4> kBowlingCaptions = {"Accuracy", "Swing/Drift", "Seam/Spin",
                                                           "Speed"};
  std::vector<ControlSpec> layout = {
      {"Label1", "", Label, "-  B A T T I N G  -", {120, 120, 3735, 5535}, kGroupLook},
      {"Label2", "", Label, "-  B O W L I N G  -", {4080, 120, 3735, 5535}, kGroupLook},
      {"Label4", "", Label, "Editing Affects:", {240, 6000, 2655, 255}},
  };
  for (int i = 0; i < 4; ++i) {
    const int bat = kBattingLeft + kGroupSpacing * i;
    const int bowl = kBowlingLeft + kGroupSpacing * i;
    // Captions are centred under their slider; the bowling ones run backwards, from Label3(7)
    // under sldBowl(0) to Label3(4) under sldBowl(3).
    // clang-format off
    appendRows(layout, {
        {arrayElement("Label3", i), "", Label, kBattingCaptions[i],
         {bat - 240, 5040, 1095, 255}, kCentred},
        {arrayElement("Label3", 7 - i), "", Label, kBowlingCaptions[i],
         {bowl - 240, 5040, 1095, 255}, kCentred},
        {arrayElement("lblBat", i), "", Label, "100%", {bat, 5280, 615, 255}, kCentred},
        {arrayElement("lblBowl", i), "", Label, "100%", {bowl, 5280, 615, 255}, kCentred},
    });
    // clang-format on
  }
  const auto addSliders = [&layout](std::string_view array, int left) {
    for (int i = 0; i < 4; ++i) {
      layout.push_back(
          {arrayElement(array, i), "", Slider, "", {left + kGroupSpacing * i, 480, 615, 4575}});
    }
  };
  addSliders("sldBat", kBattingLeft);
  layout.push_back({"optAll", "", OptionButton, "All Teams", {1440, 6000, 1455, 255}});
  layout.push_back({"optCurrent", "", OptionButton, "Current Team", {3000, 6000, 2895, 255}});
  addSliders("sldBowl", kBowlingLeft);
  layout.push_back({"cmdProcess", "", PushButton, "Process", {6120, 5880, 1695, 495}});
  return layout;
}

template <class Widget>
std::array<Widget*, 4> controlArray(const QWidget* window, std::string_view array) {
  std::array<Widget*, 4> controls{};
  for (int i = 0; i < 4; ++i) controls[i] = findControl<Widget>(window, arrayElement(array, i));
  return controls;
}

}  // namespace

BatchWindow::BatchWindow(editor::Editor& editor, const QString& currentTeam, QWidget* owner)
    : FormDialog("frmBatch", QStringLiteral("Batch Editing"), 7935, 6540, batchWindowLayout(),
                 owner),
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
