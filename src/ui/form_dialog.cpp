#include "form_dialog.h"

#include "twips.h"

namespace zelbor::ui {

FormDialog::FormDialog(const char* objectName, const QString& caption, int clientWidthTwips,
                       int clientHeightTwips, const std::vector<ControlSpec>& layout,
                       QWidget* owner)
    : QDialog(owner) {
  setUpDesignedWindow(this, objectName, caption, Qt::Dialog);
  const double dpi = screenLogicalDpi();
  setFixedSize(pixelsFromTwips(clientWidthTwips, dpi), pixelsFromTwips(clientHeightTwips, dpi));
  buildControls(this, layout, dpi);
}

}  // namespace zelbor::ui
