#pragma once

#include "db/write_policy.h"

namespace zelbor::testing {

// Tests of the write path itself and benchmarks of the walks write without a backup; the
// product's code cannot make this policy.
struct WritesWithoutBackup {
  static db::WritePolicy policy() { return db::WritePolicy(db::NoBackupConsent()); }
};

inline db::WritePolicy noBackup() {
  return WritesWithoutBackup::policy();
}

}  // namespace zelbor::testing
