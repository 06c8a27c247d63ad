#pragma once

namespace zelbor::cli {

// The process's exit status; scripts rely on these numbers.
enum class ExitStatus {
  Success = 0,
  UsageError = 1,
  FileError = 2,
  Findings = 3,
  // The input of import holds invalid cells; nothing was written.
  InvalidInput = 4,
  // Every team the command was to write is written, but a step after the writing failed (closing
  // the file, reading the hash back, writing the report): running the command again would apply
  // it twice.
  WrittenButLaterStepFailed = 5,
  // An error the program did not foresee (out of memory, say); the message names it.
  UnexpectedError = 70,
};

}  // namespace zelbor::cli
