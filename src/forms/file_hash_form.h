#pragma once

#include "control_rows.h"

namespace zelbor::forms {

// frmFileVerify: the file authentication string in "txtHash" and an "OK" button, "cmdOK".
FormSpec fileHashForm();

}  // namespace zelbor::forms
