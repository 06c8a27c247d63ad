#include <string>

#include "db/win32_text.h"
#include "form_window.h"
#include "forms/file_hash_form.h"
#include "secondary_forms.h"

namespace zelbor::win32 {
namespace {

// frmFileVerify: the file authentication string until the user presses "OK", Enter or Escape.
class FileHashWindow final : public FormWindow {
 public:
  FileHashWindow(HWND owner, const std::string& hash) : FormWindow(forms::fileHashForm(), owner) {
    // The string can be selected and copied; typing changes nothing.
    HWND txtHash = control("txtHash");
    SendMessageW(txtHash, EM_SETREADONLY, TRUE, 0);
    SetWindowTextW(txtHash, db::wideFromUtf8(hash).c_str());
    SendMessageW(control("cmdOK"), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  }

 private:
  void controlCommand(std::string_view designName, WORD code) override {
    if (designName == "cmdOK" && code == BN_CLICKED) close();
  }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    // Enter in the text box presses "OK".
    if (message == DM_GETDEFID) return MAKELRESULT(controls().id("cmdOK"), DC_HASDEFID);
    return FormWindow::handle(message, wParam, lParam);
  }
};

}  // namespace

void showFileHashWindow(HWND owner, const std::string& hash) {
  FileHashWindow(owner, hash).runModal();
}

}  // namespace zelbor::win32
