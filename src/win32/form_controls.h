#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "forms/control_rows.h"

namespace zelbor::win32 {

// The controls of a designed window made from its form's rows, as children of `window`
// (frames are group boxes; controls inside a frame are placed at the frame's offset).
class FormControls {
 public:
  FormControls(HWND window, const forms::FormSpec& form);
  FormControls(const FormControls&) = delete;
  FormControls& operator=(const FormControls&) = delete;
  ~FormControls();

  HWND control(std::string_view designName) const;  // nullptr when the form has no such row
  int id(std::string_view designName) const;        // its WM_COMMAND/WM_NOTIFY id
  std::string_view nameOf(int id) const;
  void place(UINT dpi, HFONT font);  // every control to its twips rect at dpi, with the font
                                     // (bold and large looks get their own variants)

 private:
  struct Placed {
    forms::ControlSpec row;
    forms::TwipsRect inWindow;  // the row's rect moved by the frames holding it
    HWND handle = nullptr;
  };
  const Placed* find(std::string_view designName) const;
  HFONT fontFor(unsigned look, HFONT font, UINT dpi);
  void deleteVariants();

  std::vector<Placed> controls_;
  std::vector<std::pair<unsigned, HFONT>> variants_;  // by the looks that change the font
};

}  // namespace zelbor::win32
