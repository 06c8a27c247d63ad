#pragma once

#include <vector>

#include "db/byte_order.h"

namespace zelbor::sample {

// A made-up 17-team database for demonstrations and tests, identical on every call: full teams,
// teams with named players after an empty slot, names padded with spaces or with bytes after their
// NUL, spoof fields that differ, averages that are not numbers, negative statistics, stored values
// with no list item and random opaque bytes everywhere the editor must not touch.
std::vector<db::Byte> makeSampleDatabase();

}  // namespace zelbor::sample
