#include "file_hash_form.h"

namespace zelbor::forms {

// "OK" comes before the text box in the tab order, so it has the focus.
FormSpec fileHashForm() {
  using enum ControlKind;
  return {"frmFileVerify",
          "File Version Authentication",
          7005,
          2430,
          {
              {"Label1",
               "",
               Label,
               "File Authentication String",
               {120, 240, 6735, 495},
               kCentred | kLargeText},
              {"cmdOK", "", PushButton, "OK", {2520, 1680, 1935, 495}},
              {"txtHash", "", TextBox, "", {120, 840, 6735, 615}, kCentred | kLargeText},
          }};
}

}  // namespace zelbor::forms
