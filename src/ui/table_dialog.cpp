#include "table_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace zelbor::ui {

TableDialog::TableDialog(QWidget* owner, const QString& name, const QString& title,
                         const QString& caption, const QStringList& columns,
                         const QString& okCaption)
    : dialog(owner) {
  dialog.setObjectName(name);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(caption, &dialog);
  label->setObjectName(QStringLiteral("lblCaption"));
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

void TableDialog::offerApply(bool something) {
  ok->setEnabled(something);
  ok->setDefault(something);
  buttons->button(QDialogButtonBox::Cancel)->setDefault(!something);
}

void addChangeRows(QTreeWidget* table, const std::vector<editor::RestoreChange>& changes) {
  for (const editor::RestoreChange& change : changes) {
    new QTreeWidgetItem(
        table,
        {qtText(change.team), QStringLiteral("%1 (%2)").arg(change.slot).arg(qtText(change.player)),
         qtText(change.field), qtText(change.now), qtText(change.restored)});
  }
}

QString qtText(const std::string& value) {
  return QString::fromStdString(value);
}

}  // namespace zelbor::ui
