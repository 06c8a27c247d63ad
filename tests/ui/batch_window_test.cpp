#include "ui/batch_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "batch/ability_scaling.h"
#include "editor/messages.h"
#include "modal_watcher.h"
#include "support/temp_file.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

class BatchWindowTest : public UiFixture {
 public:
  BatchWindowTest() : batch(editor, "Harbour Gulls", &window) {}

  template <class Widget = QWidget>
  Widget* batchControl(const std::string& name) const {
    auto* widget = batch.findChild<Widget*>(QString::fromStdString(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QSlider* slider(const std::string& name) const { return batchControl<QSlider>(name); }
  QString label(const std::string& name) const { return batchControl<QLabel>(name)->text(); }

  ui::BatchWindow batch;
};

// The batch window opened from the menu, with `play` acting in it; returns the hashes shown
// afterwards.
class BatchRun {
 public:
  BatchRun(UiFixture& fixture, std::function<void(QWidget*)> play)
      : batchWindow_("frmBatch", std::move(play)),
        hashWindow_("frmFileVerify", [this](QWidget* window) {
          hashes_.push_back(window->findChild<QLineEdit*>("txtHash")->text());
          window->close();
        }) {
    fixture.control<QAction>("mnuEditAbilities")->trigger();
    opened_ = batchWindow_.runs() == 1;
  }
  bool opened() const { return opened_; }
  const std::vector<QString>& hashes() const { return hashes_; }

 private:
  ModalWatcher batchWindow_;
  ModalWatcher hashWindow_;
  std::vector<QString> hashes_;
  bool opened_ = false;
};

void process(QWidget* window, const char* option) {
  window->findChild<QRadioButton*>(option)->click();
  window->findChild<QPushButton*>("cmdProcess")->click();
}

TEST_F(BatchWindowTest, CaptionsAndPlacesFollowTheDesign) {
  EXPECT_EQ(batch.objectName(), "frmBatch");
  EXPECT_EQ(batch.windowTitle(), "Batch Editing");
  EXPECT_EQ(batch.size(), pixelRect({0, 0, 7935, 6540}).size());
  EXPECT_EQ(batch.minimumSize(), batch.maximumSize());
  EXPECT_FALSE(batch.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(batch.parentWidget(), &window);
  expectLayout(&batch, {
                           {"Label1", "-  B A T T I N G  -", {120, 120, 3735, 5535}},
                           {"Label2", "-  B O W L I N G  -", {4080, 120, 3735, 5535}},
                           {"sldBat(0)", "", {240, 480, 615, 4575}},
                           {"sldBowl(3)", "", {7080, 480, 615, 4575}},
                           {"Label3(2)", "Power", {1920, 5040, 1095, 255}},
                           // The bowling captions run backwards: Label3(7) stands under sldBowl(0).
                           {"Label3(7)", "Accuracy", {3960, 5040, 1095, 255}},
                           {"Label3(6)", "Swing/Drift", {4920, 5040, 1095, 255}},
                           {"Label3(5)", "Seam/Spin", {5880, 5040, 1095, 255}},
                           {"Label3(4)", "Speed", {6840, 5040, 1095, 255}},
                           {"lblBat(1)", "100%", {1200, 5280, 615, 255}},
                           {"lblBowl(0)", "100%", {4200, 5280, 615, 255}},
                           {"Label4", "Editing Affects:", {240, 6000, 2655, 255}},
                           {"optAll", "All Teams", {1440, 6000, 1455, 255}},
                           {"optCurrent", "Current Team (Harbour Gulls)", {3000, 6000, 2895, 255}},
                           {"cmdProcess", "Process", {6120, 5880, 1695, 495}},
                       });
  EXPECT_TRUE(batchControl<QLabel>("Label1")->font().bold());
  EXPECT_EQ(batchControl<QLabel>("Label2")->frameShape(), QFrame::Box);
  EXPECT_EQ(tabOrder(slider("sldBat(0)"), 11),
            (std::vector<std::string>{"sldBat(0)", "sldBat(1)", "sldBat(2)", "sldBat(3)", "optAll",
                                      "optCurrent", "sldBowl(0)", "sldBowl(1)", "sldBowl(2)",
                                      "sldBowl(3)", "cmdProcess"}));
}

TEST_F(BatchWindowTest, OpensAtFullStrengthWithNoScopeChosen) {
  for (const char* group : {"sldBat", "sldBowl"}) {
    for (int i = 0; i < 4; ++i) {
      const QSlider* s = slider(forms::arrayElement(group, i));
      EXPECT_EQ(s->orientation(), Qt::Vertical);
      EXPECT_EQ(s->minimum(), 0);
      EXPECT_EQ(s->maximum(), 100);
      EXPECT_EQ(s->value(), 0);
    }
  }
  EXPECT_EQ(batch.factors().batting, (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_EQ(batch.factors().bowling, (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_FALSE(batchControl<QRadioButton>("optAll")->isChecked());
  EXPECT_FALSE(batchControl<QRadioButton>("optCurrent")->isChecked());
}

TEST_F(BatchWindowTest, ASettledSliderSetsItsLabelAndFactor) {
  slider("sldBat(2)")->setValue(25);
  EXPECT_EQ(label("lblBat(2)"), "75%");
  EXPECT_EQ(batch.factors().batting, (std::array<float, 4>{1, 1, 0.75F, 1}));

  slider("sldBowl(0)")->setValue(100);
  EXPECT_EQ(label("lblBowl(0)"), "0%");
  EXPECT_EQ(batch.factors().bowling[0], 0.0F);
}

TEST_F(BatchWindowTest, DraggingMovesOnlyTheLabelUntilReleased) {
  QSlider* power = slider("sldBat(2)");
  power->setSliderDown(true);
  power->setSliderPosition(40);
  EXPECT_EQ(label("lblBat(2)"), "60%");
  EXPECT_EQ(batch.factors().batting[2], 1.0F);
  power->setSliderDown(false);
  EXPECT_EQ(batch.factors().batting[2], 0.6F);
}

TEST_F(BatchWindowTest, TheTopIs100PercentAndDownLowersIt) {
  QSlider* timing = slider("sldBat(0)");
  QTest::keyClick(timing, Qt::Key_Down);
  EXPECT_EQ(timing->value(), 1);
  EXPECT_EQ(label("lblBat(0)"), "99%");
  QTest::keyClick(timing, Qt::Key_Up);
  EXPECT_EQ(label("lblBat(0)"), "100%");
}

TEST_F(BatchWindowTest, ProcessWaitsForAScope) {
  auto* processButton = batchControl<QPushButton>("cmdProcess");
  EXPECT_FALSE(processButton->isEnabled());
  batchControl<QRadioButton>("optCurrent")->click();
  EXPECT_TRUE(processButton->isEnabled());
  batchControl<QRadioButton>("optAll")->click();
  EXPECT_TRUE(processButton->isEnabled());
}

TEST_F(BatchWindowTest, DecliningStillClosesTheWindowAndShowsTheHash) {
  const auto before = readFileBytes(databasePath);
  prompts.answers = {editor::Answer::No};
  const BatchRun run(*this, [](QWidget* window) { process(window, "optAll"); });
  ASSERT_TRUE(run.opened());
  EXPECT_EQ(prompts.questions.size(), 1U);
  EXPECT_EQ(run.hashes().size(), 1U);
  EXPECT_EQ(readFileBytes(databasePath), before);
}

TEST_F(BatchWindowTest, ClosingByTheTitleBarProcessesNothingAndShowsNoHash) {
  const auto before = readFileBytes(databasePath);
  const BatchRun run(*this, [](QWidget* window) { window->close(); });
  ASSERT_TRUE(run.opened());
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_TRUE(run.hashes().empty());
  EXPECT_EQ(readFileBytes(databasePath), before);
}

TEST_F(BatchWindowTest, ScalingTheCurrentTeamsPowerWritesAndShowsIt) {
  const db::PlayerRecord before = filePlayer(1, 1);
  const db::PlayerRecord otherTeam = filePlayer(2, 1);
  const BatchRun run(*this, [](QWidget* window) {
    window->findChild<QSlider*>("sldBat(2)")->setValue(25);
    process(window, "optCurrent");
  });
  ASSERT_TRUE(run.opened());
  ASSERT_EQ(run.hashes().size(), 1U);

  const std::uint8_t power = batch::scaleAbility(before.battingAbilities[2], 0.75F);
  EXPECT_EQ(filePlayer(1, 1).battingAbilities[2], power);
  EXPECT_EQ(filePlayer(1, 1).battingAbilities[1], before.battingAbilities[1]);
  EXPECT_EQ(filePlayer(2, 1).battingAbilities, otherTeam.battingAbilities);
  EXPECT_EQ(box(editor::txtBat(2))->text(), QString::number(power));
  EXPECT_EQ(prompts.messages.back().first, editor::messages::kBatchCurrentDone);
}

TEST_F(BatchWindowTest, EveryOpeningStartsAfresh) {
  std::vector<QString> labels;
  for (int opening = 0; opening < 2; ++opening) {
    const BatchRun run(*this, [&labels](QWidget* window) {
      labels.push_back(window->findChild<QLabel*>("lblBat(0)")->text());
      window->findChild<QSlider*>("sldBat(0)")->setValue(50);
      window->close();
    });
  }
  EXPECT_EQ(labels, (std::vector<QString>{"100%", "100%"}));
}

}  // namespace
}  // namespace zelbor::testing
