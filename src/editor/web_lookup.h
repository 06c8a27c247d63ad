#pragma once

#include <span>
#include <string>
#include <string_view>

#include "db/player_record.h"

namespace zelbor::editor {

// The statistics website the player look-up searches; the label beside the fields shows its host.
inline constexpr std::string_view kLookupHost = "cricketarchive.com";

// The search address for a stored realName: the name up to its first NUL without trailing blanks,
// with every space as "+"
// and every other character outside the unreserved URL set percent-encoded as UTF-8, so no
// character of a name can change the address itself.
std::string lookupAddress(std::span<const db::Byte, db::kNameWidth> realName);

}  // namespace zelbor::editor
