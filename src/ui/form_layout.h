#pragma once

#include <QFont>
#include <QWidget>
#include <QtGlobal>
#include <string>
#include <vector>

#include "forms/control_rows.h"

namespace zelbor::ui {

// Creates the controls of `layout` on `window` in table order, which is the tab order; later rows
// are drawn over earlier ones. Frames must come before the controls they hold.
void buildControls(QWidget* window, const std::vector<forms::ControlSpec>& layout,
                   double logicalDpi);

// The font of all windows: a narrow sans serif (Liberation Sans Narrow) at 8 pt.
QFont designFont();

// Names and captions `window`, gives it the design font, and leaves only the title bar's close
// button: the designed windows have a fixed size and cannot be minimised or maximised.
void setUpDesignedWindow(QWidget* window, const char* objectName, const QString& caption,
                         Qt::WindowType type);

// A control built from a layout table. A missing name is a fault in the table itself.
template <class Widget>
Widget* findControl(const QWidget* window, const std::string& name) {
  auto* control = window->findChild<Widget*>(QString::fromStdString(name));
  if (control == nullptr) qFatal("No control named %s", name.c_str());
  return control;
}

}  // namespace zelbor::ui
