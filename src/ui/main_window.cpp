#include "main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <variant>

#include "backup_dialog.h"
#include "batch_window.h"
#include "exchange_dialogs.h"
#include "file_verify_window.h"
#include "find_player_dialog.h"
#include "forms/main_window_form.h"
#include "forms/menus.h"
#include "forms/screen_fit.h"
#include "lineup_window.h"
#include "twips.h"

namespace zelbor::ui {

using editor::Editor;
using editor::ListControl;
using editor::TextBox;

MainWindow::MainWindow() : dpi_(screenLogicalDpi()) {
  const forms::FormSpec form = forms::mainWindowForm();
  setUpDesignedWindow(this, form.name.c_str(), QString::fromStdString(form.caption), Qt::Window);
  // The designed client area scrolls inside the window when the screen cannot hold all of it.
  client_ = new QWidget;
  client_->setFixedSize(pixelsFromTwips(form.clientWidth, dpi_),
                        pixelsFromTwips(form.clientHeight, dpi_));
  buildControls(client_, form.controls, dpi_);
  scrollArea_ = new QScrollArea;
  scrollArea_->setFrameShape(QFrame::NoFrame);
  scrollArea_->setWidget(client_);
  setCentralWidget(scrollArea_);
  for (int i = 0; i < editor::kTextBoxCount; ++i) {
    const auto box = static_cast<TextBox>(i);
    textBoxes_[i] = findControl<QLineEdit>(client_, editor::designName(box));
    rules_[i] = new TextBoxRules(box, textBoxes_[i]);
  }
  for (int i = 0; i < editor::kListControlCount; ++i) {
    const auto list = static_cast<ListControl>(i);
    if (list == ListControl::lstPlayers) continue;
    comboBoxes_[i] = findControl<QComboBox>(client_, std::string(editor::designName(list)));
  }
  lstPlayers = findControl<QListWidget>(client_, "lstPlayers");
  img1 = findControl<QLabel>(client_, "img1");
  lblCricInfo = findControl<QLabel>(client_, "lblCricInfo");

  createMenus();
  connectControls();
  fitToScreen();
}

MainWindow::~MainWindow() {
  // The controls are destroyed after this; nothing they signal on the way may reach an editor
  // that is already gone.
  editor_ = nullptr;
}

void MainWindow::createMenus() {
  for (const forms::MenuSpec& designed : forms::mainMenus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(designed.caption));
    menu->setObjectName(QString::fromStdString(designed.name));
    for (const forms::MenuItemSpec& item : designed.items) {
      if (item.name.empty()) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromStdString(item.caption));
      action->setObjectName(QString::fromStdString(item.name));
      // A window-wide shortcut: it works whichever control has the focus.
      if (item.shortcut)
        action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QChar(item.shortcut->key)));
      connect(action, &QAction::triggered, this, [this, command = item.command] {
        if (editor_ != nullptr) editor_->run(command, *this);
      });
    }
  }
}

void MainWindow::connectControls() {
  // activated also fires when the user picks the selected team again, which reloads it.
  connect(comboBox(ListControl::cboTeams), &QComboBox::activated, this,
          [this] { forward(&Editor::cboTeams_Click); });
  connect(lstPlayers, &QListWidget::currentRowChanged, this,
          [this] { forward(&Editor::lstPlayers_Click); });
  connect(comboBox(ListControl::cboFace), &QComboBox::activated, this,
          [this] { forward(&Editor::cboFace_Click); });
  // Text set by the editor is signal-blocked, so these run for the user's edits only.
  struct AbilityGroup {
    TextBox (*box)(int);
    void (Editor::*handler)(int);
    int count;
  };
  constexpr AbilityGroup kGroups[] = {{editor::txtBat, &Editor::txtBat_Change, 4},
                                      {editor::txtBowl, &Editor::txtBowl_Change, 4},
                                      {editor::txtField, &Editor::txtField_Change, 5}};
  for (const AbilityGroup& group : kGroups) {
    for (int index = 0; index < group.count; ++index) {
      connect(textBox(group.box(index)), &QLineEdit::textChanged, this,
              [this, handler = group.handler, index] { forward(handler, index); });
    }
  }
  // Any change the user makes to a player control may add or undo an unsaved edit.
  for (QLineEdit* box : textBoxes_) {
    connect(box, &QLineEdit::textChanged, this, [this] { forward(&Editor::PlayerControl_Change); });
  }
  for (QComboBox* combo : comboBoxes_) {
    if (combo == nullptr || combo == comboBox(ListControl::cboTeams)) continue;
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this] { forward(&Editor::PlayerControl_Change); });
  }
  // The look-up label is reached with Tab and opens with Enter or Space, like a link.
  lblCricInfo->setFocusPolicy(Qt::StrongFocus);
  lblCricInfo->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted; }"));
  lblCricInfo->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblCricInfo && event->type() == QEvent::MouseButtonRelease) {
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (mouse.button() == Qt::LeftButton &&
        lblCricInfo->rect().contains(mouse.position().toPoint())) {
      forward(&Editor::lblCricInfo_Click);
    }
  }
  if (watched == lblCricInfo && event->type() == QEvent::KeyPress) {
    const int key = static_cast<const QKeyEvent&>(*event).key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      forward(&Editor::lblCricInfo_Click);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

namespace {

// The screen's free area in device-independent pixels, rounded down. Qt rounds the device pixels'
// area to the nearest: at scale factor 1.5, 1024 device pixels become 683, which hold 1025.
QSize wholePixelRoom(const QScreen* screen) {
  const qreal ratio = screen->devicePixelRatio();
  const auto fit = [ratio](int logical) {
    // The fewest device pixels that round to `logical`.
    const int device = static_cast<int>(std::ceil((logical - 0.5) * ratio));
    while (logical > 0 && qRound(logical * ratio) > device) --logical;
    return logical;
  };
  const QSize available = screen->availableGeometry().size();
  return {fit(available.width()), fit(available.height())};
}

}  // namespace

void MainWindow::fitToScreen() {
  const QScreen* shownOn = screen();
  if (shownOn == nullptr) return;
  // The size of menu bar and client area, unless the screen's free area (less the frame the
  // window system adds) is smaller; then the content scrolls and gains the scroll bar's room.
  const QSize designed(client_->width(), menuBar()->sizeHint().height() + client_->height());
  const QSize frame = frameGeometry().size() - size();
  const QSize room = wholePixelRoom(shownOn) - frame;
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollArea_);
  const forms::ScreenFit fit =
      forms::fitToRoom({designed.width(), designed.height()}, {room.width(), room.height()}, bar);
  const QSize fitted(fit.window.width, fit.window.height);
  if (fitted != minimumSize() || fitted != maximumSize()) setFixedSize(fitted);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  fitToScreen();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  // The window system's frame is known once the window is placed, and the screen may change.
  fitToScreen();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (editor_ != nullptr && !editor_->Form_QueryUnload()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void MainWindow::forward(void (Editor::*handler)()) {
  if (editor_ != nullptr) (editor_->*handler)();
}

void MainWindow::forward(void (Editor::*handler)(int), int index) {
  if (editor_ != nullptr) (editor_->*handler)(index);
}

std::unique_ptr<editor::BackupChooser> MainWindow::backupChooser() {
  return std::make_unique<BackupDialog>(this);
}

std::unique_ptr<editor::ExchangeWindows> MainWindow::exchangeWindows() {
  return std::make_unique<ExchangeDialogs>(this);
}

std::unique_ptr<editor::PlayerFinder> MainWindow::playerFinder() {
  return std::make_unique<FindPlayerDialog>(this);
}

bool MainWindow::showBatchWindow(const std::string& teamName) {
  BatchWindow window(*editor_, QString::fromStdString(teamName), this);
  // Processing closes the window with Accepted, also when the user declined the question.
  return window.exec() == QDialog::Accepted;
}

void MainWindow::closeMainWindow() {
  close();
}

void MainWindow::setCaption(const std::string& caption) {
  // The caption is the database's path, in the file system's encoding, and the place of the
  // unsaved-edits marker; a "[*]" in the path itself is shown as it stands.
  QString title = QString::fromStdString(caption);
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  setWindowTitle(title + QStringLiteral("[*]"));
}

void MainWindow::setModified(bool modified) {
  setWindowModified(modified);
}

std::string MainWindow::text(TextBox box) const {
  return textBox(box)->text().toStdString();
}

void MainWindow::setText(TextBox box, const std::string& text) {
  rules_[static_cast<std::size_t>(box)]->setTextFromEditor(QString::fromStdString(text));
}

void MainWindow::setItems(ListControl list, const std::vector<std::string>& items) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) texts.append(QString::fromStdString(item));
  if (list == ListControl::lstPlayers) {
    const QSignalBlocker blocker(lstPlayers);
    lstPlayers->clear();
    lstPlayers->addItems(texts);
    return;
  }
  QComboBox* combo = comboBox(list);
  const QSignalBlocker blocker(combo);
  combo->clear();
  combo->addItems(texts);
  // A filled list selects nothing until told to, like the list box.
  combo->setCurrentIndex(-1);
}

void MainWindow::setItemText(ListControl list, int index, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (list != ListControl::lstPlayers) return comboBox(list)->setItemText(index, shown);
  if (QListWidgetItem* item = lstPlayers->item(index); item != nullptr && item->text() != shown) {
    item->setText(shown);
  }
}

int MainWindow::selectedIndex(ListControl list) const {
  return list == ListControl::lstPlayers ? lstPlayers->currentRow()
                                         : comboBox(list)->currentIndex();
}

void MainWindow::setSelectedIndex(ListControl list, int index) {
  if (list == ListControl::lstPlayers) {
    const QSignalBlocker blocker(lstPlayers);
    lstPlayers->setCurrentRow(index < lstPlayers->count() ? index : -1);
    // Set while a click on another row is being handled, that click would go on to highlight
    // its own row: once it is done, the highlight returns to the current row.
    QMetaObject::invokeMethod(
        lstPlayers,
        [list = lstPlayers] {
          const QSignalBlocker again(list);
          list->setCurrentRow(list->currentRow());
        },
        Qt::QueuedConnection);
    return;
  }
  QComboBox* combo = comboBox(list);
  const QSignalBlocker blocker(combo);
  combo->setCurrentIndex(index < combo->count() ? index : -1);
}

void MainWindow::setBar(int row, editor::Colour colour, double widthTwips) {
  // Bars change on every keystroke and player switch: touch only what differs, and use the
  // palette rather than style sheets, which would re-polish the box each time.
  QLineEdit* bar = textBox(editor::abilityBox(row));
  const QColor background(colour.red, colour.green, colour.blue);
  if (bar->palette().color(QPalette::Base) != background) {
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Base, background);
    bar->setPalette(palette);
  }
  const int width = pixelsFromTwips(widthTwips, dpi_);
  if (bar->width() != width) bar->resize(width, bar->height());
}

void MainWindow::showPicture(const std::string& path) {
  QPixmap picture;
  if (path.empty() || !picture.load(QString::fromStdString(path))) {
    img1->clear();
    return;
  }
  img1->setPixmap(picture);
}

void MainWindow::setPlayerControlsEnabled(bool enabled) {
  for (QLineEdit* box : textBoxes_) box->setEnabled(enabled);
  for (QComboBox* combo : comboBoxes_) {
    if (combo != nullptr && combo != comboBox(ListControl::cboTeams)) combo->setEnabled(enabled);
  }
}

void MainWindow::focus(editor::Control control) {
  if (const TextBox* box = std::get_if<TextBox>(&control)) {
    textBox(*box)->setFocus();
    textBox(*box)->selectAll();
    return;
  }
  const ListControl list = std::get<ListControl>(control);
  if (list == ListControl::lstPlayers) {
    lstPlayers->setFocus();
  } else {
    comboBox(list)->setFocus();
  }
}

void MainWindow::showFileHash(const std::string& hash) {
  FileVerifyWindow window(this);
  window.DisplayHash(QString::fromStdString(hash));
}

void MainWindow::showLineups(const std::string& teamName, const editor::LineupLines& lines) {
  LineupWindow window(QString::fromStdString(teamName), lines, this);
  window.exec();
}

}  // namespace zelbor::ui
