#pragma once

#include <string>
#include <string_view>

#include "db/result.h"

namespace zelbor::cli {

// Makes `bytes` the whole of the file at `path`. A regular or new file is replaced in one step:
// the bytes go to a temporary file beside it, which then takes its name, so a failure leaves the
// old file as it was. Anything else (a FIFO, a terminal, /dev/stdout, NUL, CON) is written in
// place.
db::Result<void> writeOutputFile(const std::string& path, std::string_view bytes);

}  // namespace zelbor::cli
