#include "form_dialog.h"

#include "twips.h"

namespace zelbor::ui {

FormDialog::FormDialog(const forms::FormSpec& form, QWidget* owner, const QString& captionEnd)
    : QDialog(owner) {
  setUpDesignedWindow(this, form.name.c_str(), QString::fromStdString(form.caption) + captionEnd,
                      Qt::Dialog);
  const double dpi = screenLogicalDpi();
  setFixedSize(pixelsFromTwips(form.clientWidth, dpi), pixelsFromTwips(form.clientHeight, dpi));
  buildControls(this, form.controls, dpi);
}

}  // namespace zelbor::ui
