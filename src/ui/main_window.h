#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QScrollArea>
#include <array>

#include "editor/editor.h"
#include "editor/main_view.h"
#include "editor/secondary_windows.h"
#include "text_box_rules.h"

namespace zelbor::ui {

// The editor's main window, Form1. A passive view: it shows what the editor sets and forwards the
// user's actions to the editor's handlers.
class MainWindow final : public QMainWindow,
                         public editor::MainView,
                         public editor::SecondaryWindows {
 public:
  MainWindow();
  ~MainWindow() override;

  // The editor the window's events go to; it must outlive the window's use.
  void setEditor(editor::Editor& editor) { editor_ = &editor; }

  void setCaption(const std::string& caption) override;
  std::string text(editor::TextBox box) const override;
  void setText(editor::TextBox box, const std::string& text) override;
  void setItems(editor::ListControl list, const std::vector<std::string>& items) override;
  void setItemText(editor::ListControl list, int index, const std::string& text) override;
  int selectedIndex(editor::ListControl list) const override;
  void setSelectedIndex(editor::ListControl list, int index) override;
  void setBar(int row, editor::Colour colour, double widthTwips) override;
  void showPicture(const std::string& path) override;
  void setPlayerControlsEnabled(bool enabled) override;
  void focus(editor::Control control) override;
  void showFileHash(const std::string& hash) override;
  void showLineups(const std::string& teamName, const editor::LineupLines& lines) override;
  void setModified(bool modified) override;

  std::unique_ptr<editor::BackupChooser> backupChooser() override;
  std::unique_ptr<editor::ExchangeWindows> exchangeWindows() override;
  std::unique_ptr<editor::PlayerFinder> playerFinder() override;
  bool showBatchWindow(const std::string& teamName) override;
  void closeMainWindow() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // A fixed size: the designed one, or the screen's free area with the content scrolling.
  void fitToScreen();
  void createMenus();
  void connectControls();
  // Runs an editor handler, once an editor is attached.
  void forward(void (editor::Editor::*handler)());
  void forward(void (editor::Editor::*handler)(int), int index);

  QLineEdit* textBox(editor::TextBox box) const {
    return textBoxes_[static_cast<std::size_t>(box)];
  }
  // The drop-down list for `list`; lstPlayers is the one list box.
  QComboBox* comboBox(editor::ListControl list) const {
    return comboBoxes_[static_cast<std::size_t>(list)];
  }

  editor::Editor* editor_ = nullptr;
  double dpi_;
  QScrollArea* scrollArea_;
  QWidget* client_;
  std::array<QLineEdit*, editor::kTextBoxCount> textBoxes_{};
  std::array<TextBoxRules*, editor::kTextBoxCount> rules_{};
  std::array<QComboBox*, editor::kListControlCount> comboBoxes_{};
  QListWidget* lstPlayers;
  QLabel* img1;
  QLabel* lblCricInfo;
  // The menus' keys, which no control takes for itself.
  QList<QKeySequence> menuShortcuts_;
};

}  // namespace zelbor::ui
