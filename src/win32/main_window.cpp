#include "main_window.h"

#include <variant>

#include "backup_dialog.h"
#include "db/win32_text.h"
#include "dpi.h"
#include "exchange_dialogs.h"
#include "find_player_dialog.h"
#include "forms/main_window_form.h"
#include "forms/menus.h"
#include "picture_box.h"
#include "secondary_forms.h"
#include "text_box_rules.h"

namespace zelbor::win32 {

using editor::Editor;
using editor::ListControl;
using editor::TextBox;

namespace {

// Above the controls' ids.
constexpr int kFirstMenuId = 40000;

// Sets a flag for the scope's length, back to what it was after.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;
  ~Raised() { flag_ = before_; }

 private:
  bool& flag_;
  bool before_;
};

std::wstring menuText(const forms::MenuItemSpec& item) {
  std::wstring text = db::wideFromUtf8(item.caption);
  if (item.shortcut) {
    text += L"\tCtrl+";
    text += static_cast<wchar_t>(item.shortcut->key);
  }
  return text;
}

}  // namespace

MainWindow::MainWindow() : MainWindow(forms::mainWindowForm()) {}

MainWindow::MainWindow(const forms::FormSpec& form)
    : DesignedWindow(form.clientWidth, form.clientHeight),
      clientWidthTwips_(form.clientWidth),
      clientHeightTwips_(form.clientHeight) {
  create(form.caption, nullptr, createMenuBar());
  caption_ = form.caption;
  controls_ = std::make_unique<FormControls>(window(), form);
  controls_->place(dpi(), font());
  for (int i = 0; i < editor::kTextBoxCount; ++i) {
    const auto box = static_cast<TextBox>(i);
    applyTextBoxRules(textBox(box), box);
  }
  scrolled_.attach(window());
  fitToMonitor();
}

MainWindow::~MainWindow() {
  // The controls go with the window; nothing they send on the way may reach the editor.
  editor_ = nullptr;
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

HMENU MainWindow::createMenuBar() {
  HMENU bar = CreateMenu();
  std::vector<ACCEL> shortcuts;
  for (const forms::MenuSpec& designed : forms::mainMenus()) {
    HMENU menu = CreatePopupMenu();
    for (const forms::MenuItemSpec& item : designed.items) {
      if (item.name.empty()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      const int id = kFirstMenuId + static_cast<int>(menuCommands_.size());
      menuCommands_.push_back(item.command);
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), menuText(item).c_str());
      // A window-wide shortcut: it works whichever control has the focus.
      if (item.shortcut) {
        shortcuts.push_back(
            {FVIRTKEY | FCONTROL, static_cast<WORD>(item.shortcut->key), static_cast<WORD>(id)});
      }
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu),
                db::wideFromUtf8(designed.caption).c_str());
  }
  accelerators_ = CreateAcceleratorTableW(shortcuts.data(), static_cast<int>(shortcuts.size()));
  return bar;
}

SIZE MainWindow::contentSize() const {
  return {pixelsFromTwips(clientWidthTwips_, dpi()), pixelsFromTwips(clientHeightTwips_, dpi())};
}

void MainWindow::fitTo(const RECT& workArea) {
  scrolled_.fit(contentSize(), workArea, dpi());
}

void MainWindow::fitToMonitor() {
  monitor_ = MonitorFromWindow(window(), MONITOR_DEFAULTTONEAREST);
  scrolled_.fitToMonitor(contentSize(), dpi());
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (scrolled_.handle(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_DISPLAYCHANGE:
      fitToMonitor();
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) fitToMonitor();
      break;
    case WM_EXITSIZEMOVE:
      // Moved to a monitor of the same dpi but another size.
      if (MonitorFromWindow(window(), MONITOR_DEFAULTTONEAREST) != monitor_) fitToMonitor();
      break;
    case WM_COMMAND:
      // Menus and accelerators send no control's handle.
      if (lParam == 0) {
        menuChosen(LOWORD(wParam));
      } else {
        controlNotified(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (HBRUSH bar =
              bars_.brushFor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(bar);
      }
      break;
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is active again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focused = GetFocus();
        if (focused != nullptr && IsChild(window(), focused)) lastFocus_ = focused;
      } else if (lastFocus_ != nullptr && IsChild(window(), lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (editor_ == nullptr || editor_->Form_QueryUnload()) DestroyWindow(window());
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DesignedWindow::handle(message, wParam, lParam);
}

void MainWindow::dpiChanged() {
  if (controls_ == nullptr) return;
  controls_->place(dpi(), font());
  scrolled_.childrenPlaced();
  fitToMonitor();
  // The bars' widths are designed in twips too.
  forward(&Editor::ColourAbilityBars);
}

void MainWindow::menuChosen(int id) {
  const int index = id - kFirstMenuId;
  if (editor_ == nullptr || index < 0 || index >= static_cast<int>(menuCommands_.size())) return;
  editor_->run(menuCommands_[static_cast<size_t>(index)], *this);
}

void MainWindow::controlNotified(int id, int code) {
  // Text and selections set by the editor run no handler: only the user's changes do.
  if (updating_ || editor_ == nullptr || controls_ == nullptr) return;
  HWND control = controls_->control(controls_->nameOf(id));
  if (control == nullptr) return;
  if (control == controls_->control("lblCricInfo")) {
    if (code == STN_CLICKED) editor_->lblCricInfo_Click();
    return;
  }
  if (control == listControl(ListControl::lstPlayers)) {
    if (code == LBN_SELCHANGE) editor_->lstPlayers_Click();
    return;
  }
  if (control == listControl(ListControl::cboTeams)) {
    if (code == CBN_SELCHANGE) editor_->cboTeams_Click();
    return;
  }
  if (isPlayerList(control)) {
    if (code != CBN_SELCHANGE) return;
    // Any change the user makes to a player control may add or undo an unsaved edit.
    editor_->PlayerControl_Change();
    if (control == listControl(ListControl::cboFace)) editor_->cboFace_Click();
    return;
  }
  if (code != EN_CHANGE) return;
  for (int row = 0; row < editor::kAbilityRowCount; ++row) {
    if (control != textBox(editor::abilityBox(row))) continue;
    if (row < 4) {
      editor_->txtBat_Change(row);
    } else if (row < 8) {
      editor_->txtBowl_Change(row - 4);
    } else {
      editor_->txtField_Change(row - 8);
    }
  }
  editor_->PlayerControl_Change();
}

void MainWindow::forward(void (Editor::*handler)()) {
  if (editor_ != nullptr) (editor_->*handler)();
}

HWND MainWindow::textBox(TextBox box) const {
  return controls_->control(editor::designName(box));
}

HWND MainWindow::listControl(ListControl list) const {
  return controls_->control(editor::designName(list));
}

bool MainWindow::isPlayerList(HWND control) const {
  for (int i = 0; i < editor::kListControlCount; ++i) {
    const auto list = static_cast<ListControl>(i);
    if (list != ListControl::cboTeams && list != ListControl::lstPlayers &&
        control == listControl(list)) {
      return true;
    }
  }
  return false;
}

std::unique_ptr<editor::BackupChooser> MainWindow::backupChooser() {
  return std::make_unique<BackupDialog>(window());
}

std::unique_ptr<editor::ExchangeWindows> MainWindow::exchangeWindows() {
  return std::make_unique<ExchangeDialogs>(window());
}

std::unique_ptr<editor::PlayerFinder> MainWindow::playerFinder() {
  return std::make_unique<FindPlayerDialog>(window());
}

bool MainWindow::showBatchWindow(const std::string& teamName) {
  return win32::showBatchWindow(window(), *editor_, teamName);
}

void MainWindow::closeMainWindow() {
  SendMessageW(window(), WM_CLOSE, 0, 0);
}

void MainWindow::showTitle() {
  SetWindowTextW(window(), windowTitle(caption_, modified_).c_str());
}

void MainWindow::setCaption(const std::string& caption) {
  caption_ = caption;
  showTitle();
}

void MainWindow::setModified(bool modified) {
  if (modified == modified_) return;
  modified_ = modified;
  showTitle();
}

std::string MainWindow::text(TextBox box) const {
  return editText(textBox(box));
}

void MainWindow::setText(TextBox box, const std::string& text) {
  const Raised updating(updating_);
  setTextFromEditor(textBox(box), text);
}

void MainWindow::setItems(ListControl list, const std::vector<std::string>& items) {
  const Raised updating(updating_);
  HWND control = listControl(list);
  const bool listBox = list == ListControl::lstPlayers;
  SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  SendMessageW(control, listBox ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring wide = db::wideFromUtf8(item);
    SendMessageW(control, listBox ? LB_ADDSTRING : CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(wide.c_str()));
  }
  // A filled list selects nothing until told to.
  SendMessageW(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control, nullptr, TRUE);
}

void MainWindow::setItemText(ListControl list, int index, const std::string& text) {
  const Raised updating(updating_);
  HWND control = listControl(list);
  const bool listBox = list == ListControl::lstPlayers;
  const auto count =
      static_cast<int>(SendMessageW(control, listBox ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
  if (index < 0 || index >= count) return;
  const std::wstring shown = db::wideFromUtf8(text);
  const auto length =
      static_cast<int>(SendMessageW(control, listBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0));
  std::wstring old(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(control, listBox ? LB_GETTEXT : CB_GETLBTEXT, index,
               reinterpret_cast<LPARAM>(old.data()));
  old.resize(static_cast<size_t>(length));
  if (old == shown) return;
  const int selected = selectedIndex(list);
  const auto top = SendMessageW(control, listBox ? LB_GETTOPINDEX : CB_GETTOPINDEX, 0, 0);
  SendMessageW(control, listBox ? LB_DELETESTRING : CB_DELETESTRING, index, 0);
  SendMessageW(control, listBox ? LB_INSERTSTRING : CB_INSERTSTRING, index,
               reinterpret_cast<LPARAM>(shown.c_str()));
  SendMessageW(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageW(control, listBox ? LB_SETTOPINDEX : CB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

int MainWindow::selectedIndex(ListControl list) const {
  const bool listBox = list == ListControl::lstPlayers;
  const LRESULT selected =
      SendMessageW(listControl(list), listBox ? LB_GETCURSEL : CB_GETCURSEL, 0, 0);
  return selected < 0 ? -1 : static_cast<int>(selected);
}

void MainWindow::setSelectedIndex(ListControl list, int index) {
  const Raised updating(updating_);
  const bool listBox = list == ListControl::lstPlayers;
  HWND control = listControl(list);
  const auto count =
      static_cast<int>(SendMessageW(control, listBox ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
  const int selected = index >= 0 && index < count ? index : -1;
  SendMessageW(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void MainWindow::setBar(int row, editor::Colour colour, double widthTwips) {
  bars_.setBar(textBox(editor::abilityBox(row)), colour, widthTwips);
}

void MainWindow::showPicture(const std::string& path) {
  win32::showPicture(controls_->control("img1"), path);
}

void MainWindow::setPlayerControlsEnabled(bool enabled) {
  for (int i = 0; i < editor::kTextBoxCount; ++i) {
    EnableWindow(textBox(static_cast<TextBox>(i)), enabled ? TRUE : FALSE);
  }
  for (int i = 0; i < editor::kListControlCount; ++i) {
    HWND list = listControl(static_cast<ListControl>(i));
    if (isPlayerList(list)) EnableWindow(list, enabled ? TRUE : FALSE);
  }
}

void MainWindow::focus(editor::Control control) {
  if (const TextBox* box = std::get_if<TextBox>(&control)) {
    SetFocus(textBox(*box));
    SendMessageW(textBox(*box), EM_SETSEL, 0, -1);
    return;
  }
  SetFocus(listControl(std::get<ListControl>(control)));
}

void MainWindow::showFileHash(const std::string& hash) {
  showFileHashWindow(window(), hash);
}

void MainWindow::showLineups(const std::string& teamName, const editor::LineupLines& lines) {
  showLineupWindow(window(), teamName, lines);
}

}  // namespace zelbor::win32
