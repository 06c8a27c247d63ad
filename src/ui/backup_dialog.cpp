#include "backup_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelbor::ui {
namespace {

QString text(const std::string& value) {
  return QString::fromStdString(value);
}

// A modal dialog of a caption, a table of `columns` and two buttons; OK carries `okCaption`.
struct TableDialog {
  TableDialog(QWidget* owner, const QString& name, const QString& caption,
              const QStringList& columns, const QString& okCaption)
      : dialog(owner) {
    dialog.setObjectName(name);
    dialog.setWindowTitle(QStringLiteral("Restore from Backup"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(caption, &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    table = new QTreeWidget(&dialog);
    table->setObjectName(QStringLiteral("table"));
    table->setRootIsDecorated(false);
    table->setHeaderLabels(columns);
    table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(table);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(okCaption);
    ok->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(640, 400);
  }

  QDialog dialog;
  QTreeWidget* table;
  QDialogButtonBox* buttons;
  QPushButton* ok;
};

}  // namespace

std::optional<int> BackupDialog::chooseBackup(const std::string& databasePath,
                                              const std::vector<editor::BackupListing>& backups) {
  TableDialog window(
      owner_, QStringLiteral("frmBackups"),
      QStringLiteral("Backups of \"%1\", newest first:").arg(text(databasePath)),
      {QStringLiteral("Taken"), QStringLiteral("Before"), QStringLiteral("Players that differ")},
      QStringLiteral("&Show Changes"));
  for (const editor::BackupListing& backup : backups) {
    const QString players = backup.differingPlayers ? QString::number(*backup.differingPlayers)
                                                    : QStringLiteral("cannot be read");
    new QTreeWidgetItem(window.table, {text(backup.when), text(backup.operation), players});
  }
  window.table->setCurrentItem(window.table->topLevelItem(0));
  QObject::connect(window.table, &QTreeWidget::itemDoubleClicked, &window.dialog, &QDialog::accept);
  if (window.dialog.exec() != QDialog::Accepted) return std::nullopt;
  const int chosen = window.table->indexOfTopLevelItem(window.table->currentItem());
  return chosen < 0 ? std::nullopt : std::optional<int>(chosen);
}

bool BackupDialog::confirmRestore(const editor::BackupListing& backup,
                                  const std::vector<editor::RestoreChange>& changes) {
  const QString when = text(backup.when);
  const QString caption =
      changes.empty() ? QStringLiteral(
                            "The players of the backup of %1 are those of the file now; there is "
                            "nothing to restore.")
                            .arg(when)
                      : QStringLiteral(
                            "Restoring the backup of %1 changes these fields. The file is backed "
                            "up first, so this can be undone in turn.")
                            .arg(when);
  TableDialog window(owner_, QStringLiteral("frmRestoreChanges"), caption,
                     {QStringLiteral("Team"), QStringLiteral("Player"), QStringLiteral("Field"),
                      QStringLiteral("Now"), QStringLiteral("Restored")},
                     QStringLiteral("&Apply"));
  for (const editor::RestoreChange& change : changes) {
    new QTreeWidgetItem(
        window.table,
        {text(change.team), QStringLiteral("%1 (%2)").arg(change.slot).arg(text(change.player)),
         text(change.field), text(change.now), text(change.restored)});
  }
  window.ok->setEnabled(!changes.empty());
  window.ok->setDefault(!changes.empty());
  window.buttons->button(QDialogButtonBox::Cancel)->setDefault(changes.empty());
  return window.dialog.exec() == QDialog::Accepted && !changes.empty();
}

}  // namespace zelbor::ui
