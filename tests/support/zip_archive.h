#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zelbor::testing {

// A zip archive holding the given files, deflated, in memory.
std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& files);

// One file of a zip archive; empty when it has none of that name.
std::string zipEntry(const std::string& archive, const std::string& name);

}  // namespace zelbor::testing
