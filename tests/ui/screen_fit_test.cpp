// Run at each scale factor (QT_SCALE_FACTOR 1, 1.5 and 2; see tests/CMakeLists.txt): text is laid
// out for the device pixels, so what fits at one factor may be clipped at another.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <map>

#include "modal_watcher.h"
#include "text_fit.h"
#include "ui/batch_window.h"
#include "ui_fixture.h"

namespace zelbor::testing {
namespace {

// The screen's size in device pixels: as the offscreen platform's configuration file gives it, or
// the logical size scaled.
QSize deviceScreenSize(const QScreen* screen) {
  const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
  const qsizetype at = platform.indexOf(QStringLiteral("configfile="));
  if (at >= 0) {
    QFile file(platform.mid(at + 11).section(QLatin1Char(':'), 0, 0));
    if (file.open(QIODevice::ReadOnly)) {
      const QJsonObject first =
          QJsonDocument::fromJson(file.readAll())[QStringLiteral("screens")][0].toObject();
      return {first[QStringLiteral("width")].toInt(), first[QStringLiteral("height")].toInt()};
    }
  }
  return (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
}

class ScreenFit : public UiFixture {
 public:
  std::string scale() const {
    return "at scale factor " +
           std::to_string(QGuiApplication::primaryScreen()->devicePixelRatio());
  }
  QComboBox* teams() const { return control<QComboBox>("cboTeams"); }
};

// Every player of every team in the main window, and the three secondary windows.
TEST_F(ScreenFit, NoTextIsClippedInAnyWindow) {
  // Each clipped text once, with the first place it was seen.
  std::map<std::string, std::string> clipped;
  const auto collect = [&clipped](const QWidget* shown, const std::string& where) {
    for (const std::string& text : clippedTexts(shown)) clipped.emplace(text, where);
  };
  auto* players = control<QListWidget>("lstPlayers");
  for (int team = 0; team < teams()->count(); ++team) {
    teams()->setCurrentIndex(team);
    emit teams()->activated(team);
    for (int row = 0; row < players->count(); ++row) {
      players->setCurrentRow(row);
      collect(&window, "team " + std::to_string(team + 1) + " player " + std::to_string(row + 1));
    }
    ui::BatchWindow batch(editor, teams()->currentText(), &window);
    collect(&batch, "frmBatch");
  }
  const ModalWatcher hash("frmFileVerify", [&](QWidget* shown) {
    collect(shown, "frmFileVerify");
    shown->close();
  });
  control<QAction>("mnuFileHash")->trigger();
  const ModalWatcher lineups("frmLineup", [&](QWidget* shown) {
    collect(shown, "frmLineup");
    shown->close();
  });
  control<QAction>("mnuLineup")->trigger();
  ASSERT_EQ(hash.runs() + lineups.runs(), 2);
  EXPECT_TRUE(clipped.empty()) << scale() << ": " << ::testing::PrintToString(clipped);
}

TEST_F(ScreenFit, TheWindowStaysOnTheScreenAndItsContentScrolls) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QRect room = window.screen()->availableGeometry();
  EXPECT_LE(window.frameGeometry().width(), room.width()) << scale();
  EXPECT_LE(window.frameGeometry().height(), room.height()) << scale();
  // Also in device pixels, which Qt rounds from the logical ones.
  const qreal ratio = window.screen()->devicePixelRatio();
  const QSize device = deviceScreenSize(window.screen());
  EXPECT_LE(qRound(window.frameGeometry().width() * ratio), device.width()) << scale();
  EXPECT_LE(qRound(window.frameGeometry().height() * ratio), device.height()) << scale();

  auto* scroll = qobject_cast<QScrollArea*>(window.centralWidget());
  ASSERT_NE(scroll, nullptr);
  QCoreApplication::processEvents();
  // Whether the window's height fits, for each screen and scale factor the test runs at (see
  // tests/CMakeLists.txt): the offscreen platform's own screen, 800 pixels high, and 1280x1024
  // hold it at scale factor 1 only.
  const std::map<std::pair<int, qreal>, bool> scrolls = {
      {{800, 1}, false},  {{800, 1.5}, true},  {{800, 2}, true},
      {{1024, 1}, false}, {{1024, 1.5}, true}, {{1024, 2}, true}};
  const auto expected = scrolls.find({device.height(), ratio});
  ASSERT_TRUE(expected != scrolls.end()) << device.height() << " pixels high " << scale();
  EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), expected->second) << scale();
  // Whole in height, and from its left edge on (a box wider than the view cannot be whole).
  const auto inView = [scroll](const QWidget* target) {
    const QRect shown(target->mapTo(scroll->viewport(), QPoint(0, 0)), target->size());
    const QRect view = scroll->viewport()->rect();
    return shown.top() >= view.top() && shown.bottom() <= view.bottom() &&
           view.contains(shown.topLeft());
  };
  // Tabbing to the lowest and rightmost controls brings each into view.
  control("txtBestBatODI")->setFocus();
  for (const char* name : {"txtBestBowlODI", "Label6", "lblCricInfo"}) {
    if (std::string(name) == "Label6") continue;  // a caption takes no focus
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control(name)) << scale();
    EXPECT_TRUE(inView(control(name))) << name << " " << scale();
  }
  // And the wheel scrolls back to the top.
  scroll->horizontalScrollBar()->setValue(0);
  for (int notch = 0; notch < 20; ++notch) {
    QWheelEvent up(QPointF(5, 5), scroll->viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, 120},
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(scroll->viewport(), &up);
  }
  EXPECT_TRUE(inView(control("cboTeams"))) << scale();
}

}  // namespace
}  // namespace zelbor::testing
