#pragma once

namespace zelbor::cli {

// The process's exit status; scripts rely on these numbers.
enum class ExitStatus {
  Success = 0,
  UsageError = 1,
  FileError = 2,
  Findings = 3,
  InvalidInput = 4,
};

}  // namespace zelbor::cli
