#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRect>
#include <QWidget>
#include <string>
#include <vector>

#include "db/player_record.h"
#include "editor/editor.h"
#include "forms/control_rows.h"
#include "support/editor_fakes.h"
#include "support/temp_file.h"
#include "ui/form_layout.h"
#include "ui/main_window.h"
#include "ui/message_box_prompts.h"
#include "ui/twips.h"

namespace zelbor::testing {

// The main window and a real editor on a fresh copy of the sample database, started and showing
// team 1's first player. Fakes stand in for the message boxes, the file dialog and the browser.
// The editor backs up before writing, into the test's state folder, as the application does; with
// `realMessageBoxes` it asks and tells in the program's message boxes instead of the fake.
class UiFixture : public ::testing::Test {
 public:
  explicit UiFixture(bool realMessageBoxes = false);

  template <class Widget = QWidget>
  Widget* control(const std::string& name) const {
    auto* widget = window.findChild<Widget*>(QString::fromStdString(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* box(editor::TextBox box) const { return control<QLineEdit>(editor::designName(box)); }

  // Player `index` (1-based) of `team` as the file holds it now.
  db::PlayerRecord filePlayer(int team, int index) const;
  // Changes player `index` of `team` in the file, behind the editor's back.
  void changeFilePlayer(int team, int index, void (*change)(db::PlayerRecord&)) const;

  TempDir dir;
  std::string databasePath;
  ui::MainWindow window;
  FakePrompts prompts;
  ui::MessageBoxPrompts messageBoxes{&window};
  FakeFileDialog fileDialog;
  FakeBrowser browser;
  editor::Editor editor;
};

// A designed rectangle in pixels at `logicalDpi`, by default this screen's.
QRect pixelRect(const forms::TwipsRect& twips, double logicalDpi = ui::screenLogicalDpi());

// The caption a control shows: a label's or button's text, a frame's title.
QString captionOf(const QWidget* control);

// Expected caption and place of a control, as designed.
struct LayoutCheck {
  std::string name;
  QString caption;
  forms::TwipsRect rect;
};
void expectLayout(const QWidget* window, const std::vector<LayoutCheck>& checks);

// Every control built on `client` (its own and its frames' children) is a row of `layout`, and
// every row was built: the same name, the class of its kind, its caption and parent, and its
// rectangle in pixels at the client's dpi.
void expectBuiltAsDesigned(const QWidget* client, const std::vector<forms::ControlSpec>& layout);

// The object names of the controls the Tab key visits from `first` on, `count` of them.
std::vector<std::string> tabOrder(const QWidget* first, int count);

}  // namespace zelbor::testing
