#include "find_player_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/exchange_texts.h"
#include "table_dialog.h"
#include "twips.h"

namespace zelbor::ui {
namespace {

namespace texts = forms::exchange_texts;

// Up and Down typed in the box move the list's highlight.
class HighlightKeys final : public QObject {
 public:
  explicit HighlightKeys(QListWidget* list) : QObject(list), list_(list) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    const int row = list_->currentRow() + (key == Qt::Key_Down ? 1 : -1);
    if (row >= 0 && row < list_->count()) list_->setCurrentRow(row);
    return true;
  }

 private:
  QListWidget* list_;
};

}  // namespace

std::optional<editor::PlayerMatch> FindPlayerDialog::choosePlayer(
    const std::function<std::vector<editor::PlayerMatch>(const std::string&)>& matches) {
  QDialog dialog(owner_);
  dialog.setObjectName(QStringLiteral("frmFindPlayer"));
  dialog.setWindowTitle(qtText(texts::kFindTitle));
  if (owner_ != nullptr) dialog.setFont(owner_->font());
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QLineEdit(&dialog);
  text->setObjectName(QStringLiteral("txtFind"));
  layout->addWidget(text);
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("lstMatches"));
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setText(qtText(texts::kGoToPlayerButton));
  ok->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  layout->addWidget(buttons);
  text->installEventFilter(new HighlightKeys(list));

  std::vector<editor::PlayerMatch> shown;
  const auto refresh = [&] {
    const std::string typed = text->text().toStdString();
    shown = matches(typed);
    list->clear();
    for (const editor::PlayerMatch& match : shown) {
      list->addItem(qtText(texts::matchEntry(match)));
    }
    // Said in the list, where the matches would be; it cannot be picked.
    if (const auto none = texts::noMatchEntry(typed); shown.empty() && none) {
      (new QListWidgetItem(qtText(*none), list))->setFlags(Qt::NoItemFlags);
    }
    list->setCurrentRow(shown.empty() ? -1 : 0);
    ok->setEnabled(!shown.empty());
  };
  QObject::connect(text, &QLineEdit::textChanged, &dialog, refresh);
  QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  refresh();
  const double dpi = screenLogicalDpi();
  dialog.resize(pixelsFromTwips(texts::kFindWindowWidth, dpi),
                pixelsFromTwips(texts::kFindWindowHeight, dpi));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const int row = list->currentRow();
  if (row < 0 || row >= static_cast<int>(shown.size())) return std::nullopt;
  return shown[static_cast<std::size_t>(row)];
}

}  // namespace zelbor::ui
