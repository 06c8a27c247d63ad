#include "table_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "forms/exchange_texts.h"
#include "twips.h"

namespace zelbor::ui {

TableDialog::TableDialog(QWidget* owner, const QString& name, std::string_view title,
                         const QString& caption, std::span<const std::string_view> columns,
                         std::string_view okCaption)
    : dialog(owner) {
  dialog.setObjectName(name);
  dialog.setWindowTitle(qtText(title));
  // A window does not take its owner's font by itself.
  if (owner != nullptr) dialog.setFont(owner->font());
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(caption, &dialog);
  label->setObjectName(QStringLiteral("lblCaption"));
  label->setWordWrap(true);
  layout->addWidget(label);
  table = new QTreeWidget(&dialog);
  table->setObjectName(QStringLiteral("table"));
  table->setRootIsDecorated(false);
  QStringList headers;
  for (const std::string_view column : columns) headers.append(qtText(column));
  table->setHeaderLabels(headers);
  table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(table);
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  ok = buttons->button(QDialogButtonBox::Ok);
  ok->setText(qtText(okCaption));
  ok->setObjectName(QStringLiteral("cmdOK"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  const double dpi = screenLogicalDpi();
  dialog.resize(pixelsFromTwips(forms::exchange_texts::kTableWindowWidth, dpi),
                pixelsFromTwips(forms::exchange_texts::kTableWindowHeight, dpi));
}

void TableDialog::offerApply(bool something) {
  ok->setEnabled(something);
  ok->setDefault(something);
  buttons->button(QDialogButtonBox::Cancel)->setDefault(!something);
}

void addRow(QTreeWidget* table, const std::vector<std::string>& cells) {
  QStringList texts;
  for (const std::string& cell : cells) texts.append(qtText(cell));
  new QTreeWidgetItem(table, texts);
}

void addChangeRows(QTreeWidget* table, const std::vector<editor::RestoreChange>& changes) {
  for (const std::vector<std::string>& row : forms::exchange_texts::changeRows(changes)) {
    addRow(table, row);
  }
}

QString qtText(std::string_view value) {
  return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

}  // namespace zelbor::ui
