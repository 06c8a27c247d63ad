#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "designed_window.h"
#include "form_controls.h"
#include "forms/control_rows.h"

namespace zelbor::win32 {

// A secondary window built from its layout table. It is modal: its owner stays disabled while it
// is open. The title bar's close button and Escape close it.
class FormWindow : public DesignedWindow {
 public:
  // Shows the window centred on its owner and runs its messages until it is closed; the owner is
  // enabled again before the window hides, so that it becomes the active window once more.
  void runModal();

 protected:
  // The title is the form's caption followed by `captionEnd`.
  FormWindow(const forms::FormSpec& form, HWND owner, const std::string& captionEnd = {});

  const FormControls& controls() const { return *controls_; }
  HWND control(std::string_view designName) const { return controls_->control(designName); }
  // Ends runModal.
  void close() { open_ = false; }

  // A notification `code` from the control named `designName`; a window without buttons has none
  // to answer.
  virtual void controlCommand(std::string_view /*designName*/, WORD /*code*/) {}
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void dpiChanged() override;
  void centreOnOwner();

  HWND owner_;
  std::optional<FormControls> controls_;
  bool open_ = false;
};

}  // namespace zelbor::win32
