#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/backup_chooser.h"

namespace zelbor::ui {

// A modal dialog of a caption, a table of `columns` ("table") and two buttons: OK ("cmdOK")
// carrying `okCaption`, and Cancel ("cmdCancel").
struct TableDialog {
  TableDialog(QWidget* owner, const QString& name, std::string_view title, const QString& caption,
              std::span<const std::string_view> columns, std::string_view okCaption);

  // Apply is offered, and the default, only when there is something to apply; Cancel otherwise.
  void offerApply(bool something);

  QDialog dialog;
  QTreeWidget* table;
  QDialogButtonBox* buttons;
  QPushButton* ok;
};

// A row of `cells` added at the end of `table`.
void addRow(QTreeWidget* table, const std::vector<std::string>& cells);
// Rows of team, player ("3 (Name)"), field, the value now and the value after.
void addChangeRows(QTreeWidget* table, const std::vector<editor::RestoreChange>& changes);

QString qtText(std::string_view value);

}  // namespace zelbor::ui
