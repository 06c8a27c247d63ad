#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "file_access.h"

namespace zelbor::db {

// The list files beside the program, in the order start-up reads them.
inline constexpr std::string_view kListFileNames[] = {"Bats.txt", "Kit1.txt", "Kit2.txt",
                                                      "Kit3.txt", "Kit4.txt", "Guards.txt"};

// One entry per line, in file order, taken unchanged: no trimming, empty lines give empty entries.
// Lines end in CR LF (LF or CR alone are accepted too); a final line break adds no entry.
std::vector<std::string> splitListLines(std::string_view windows1252Text);

// Far beyond any real list file (a few hundred short lines); a larger file is refused, not read.
inline constexpr std::uint64_t kListFileSizeLimit = 4 * 1024 * 1024;

// Reads a list file (Windows-1252) into its entries, as UTF-8.
Result<std::vector<std::string>> readListFile(FileSystem& fileSystem, const Path& path);

// The entries of every list file in `folder`, in the order of kListFileNames, read one file at a
// time; the first file that cannot be read ends it.
using ListFileEntries = std::array<std::vector<std::string>, std::size(kListFileNames)>;
Result<ListFileEntries> readListFiles(FileSystem& fileSystem, const Path& folder);

}  // namespace zelbor::db
