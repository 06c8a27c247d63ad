#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ability_bars.h"
#include "designed_window.h"
#include "editor/command.h"
#include "editor/editor.h"
#include "editor/main_view.h"
#include "editor/secondary_windows.h"
#include "form_controls.h"
#include "scrolled_client.h"

namespace zelbor::win32 {

// The editor's main window, Form1, with its menu bar. A passive view: it shows what the editor
// sets and forwards the user's actions to the editor's handlers.
class MainWindow final : public DesignedWindow,
                         public editor::MainView,
                         public editor::SecondaryWindows {
 public:
  MainWindow();
  ~MainWindow() override;

  // The editor the window's events go to; it must outlive the window's use.
  void setEditor(editor::Editor& editor) { editor_ = &editor; }
  // The menus' Ctrl shortcuts, for the message loop.
  HACCEL accelerators() const { return accelerators_; }
  const FormControls& controls() const { return *controls_; }
  // The window within `workArea` (screen coordinates), its content scrolling where it is short;
  // the window does so on its own within its monitor's work area.
  void fitTo(const RECT& workArea);
  const ScrolledClient& scrolled() const { return scrolled_; }

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
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void dpiChanged() override;

 private:
  explicit MainWindow(const forms::FormSpec& form);
  void fitToMonitor();
  HMENU createMenuBar();
  void controlNotified(int id, int code);
  void menuChosen(int id);
  // Runs an editor handler, once an editor is attached.
  void forward(void (editor::Editor::*handler)());
  HWND textBox(editor::TextBox box) const;
  HWND listControl(editor::ListControl list) const;
  bool isPlayerList(HWND control) const;
  void showTitle();
  SIZE contentSize() const;

  editor::Editor* editor_ = nullptr;
  int clientWidthTwips_;
  int clientHeightTwips_;
  std::unique_ptr<FormControls> controls_;
  AbilityBars bars_;
  ScrolledClient scrolled_;
  HMONITOR monitor_ = nullptr;
  std::vector<editor::Command> menuCommands_;  // by menu id, from the first
  HACCEL accelerators_ = nullptr;
  // Set while the editor changes a control: the control's notifications are not the user's.
  bool updating_ = false;
  HWND lastFocus_ = nullptr;
  std::string caption_;
  bool modified_ = false;
};

}  // namespace zelbor::win32
