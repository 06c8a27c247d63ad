#pragma once

#include <string>

namespace zelbor::testing {

// The system's own wording of the failures the tests provoke, as the file layer reports them.
std::string missingFileReason();
std::string existingFileReason();
std::string permissionDeniedReason();

}  // namespace zelbor::testing
