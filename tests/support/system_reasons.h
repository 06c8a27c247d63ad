#pragma once

#include <string>

namespace zelbor::testing {

// The system's own wording of the failures the tests provoke, as the file layer reports them.
std::string missingFileReason();
std::string folderReason();
std::string existingFileReason();

}  // namespace zelbor::testing
