// Any 432 bytes are a player record and encode back to themselves.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "db/player_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zelbor::db::Bytes<zelbor::db::kRecordSize> bytes{};
  std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
  const zelbor::db::PlayerRecord record = zelbor::db::decodePlayerRecord(bytes);
  if (zelbor::db::encodePlayerRecord(record) != bytes) __builtin_trap();
  return 0;
}
