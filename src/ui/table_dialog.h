#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "editor/backup_chooser.h"

namespace zelbor::ui {

// A modal dialog of a caption, a table of `columns` ("table") and two buttons: OK ("cmdOK")
// carrying `okCaption`, and Cancel ("cmdCancel").
struct TableDialog {
  TableDialog(QWidget* owner, const QString& name, const QString& title, const QString& caption,
              const QStringList& columns, const QString& okCaption);

  // Apply is offered, and the default, only when there is something to apply; Cancel otherwise.
  void offerApply(bool something);

  QDialog dialog;
  QTreeWidget* table;
  QDialogButtonBox* buttons;
  QPushButton* ok;
};

// Rows of team, player ("3 (Name)"), field, the value now and the value after.
void addChangeRows(QTreeWidget* table, const std::vector<editor::RestoreChange>& changes);

QString qtText(const std::string& value);

}  // namespace zelbor::ui
