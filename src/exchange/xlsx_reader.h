#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/result.h"
#include "import_table.h"

namespace zelbor::exchange {

// The rows of the first sheet of the xlsx workbook `bytes` read from `path`, in the order they
// are stored. Every cell comes as the text of its value: strings as they are, numbers as
// stored ("0.1", "-2.184714E-15"), booleans as TRUE or FALSE, errors as shown ("#NAME?"), and
// a formula cell as its cached value. Anything else, or a damaged file, is an error naming it.
db::Result<std::vector<ImportRow>> readXlsxFirstSheet(std::string_view bytes,
                                                      const std::string& path);

}  // namespace zelbor::exchange
