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

// Whether `output` names the file `database` names, however either is spelled: told by the
// identity of the files themselves (device and inode; volume serial and file index), never by
// comparing the paths. A path naming nothing, or a device, is not the database. Anything else
// that cannot be told is an error naming the path, and the caller refuses.
db::Result<bool> namesTheSameFile(const std::string& output, const std::string& database);

}  // namespace zelbor::cli
