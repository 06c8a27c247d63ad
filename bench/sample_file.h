#pragma once

#include <string>

namespace zelbor::bench {

// The sample database in the system's temporary folder, written and flushed to disk once, before
// anything is measured, so no benchmark pays for the file's first flush.
const std::string& sampleDatabaseFile();

}  // namespace zelbor::bench
