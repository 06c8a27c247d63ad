#pragma once

#include <QDialog>
#include <string>

#include "form_layout.h"

namespace zelbor::ui {

// A secondary window: built from its layout table, of fixed size without minimise and maximise
// buttons, owned by and centred on `owner` and so kept out of the taskbar. Each opening creates a
// new one and runs it with exec(), which makes it modal.
class FormDialog : public QDialog {
 protected:
  // The title is the form's caption followed by `captionEnd`.
  FormDialog(const forms::FormSpec& form, QWidget* owner, const QString& captionEnd = {});

  template <class Widget>
  Widget* control(const std::string& name) const {
    return findControl<Widget>(this, name);
  }
};

}  // namespace zelbor::ui
