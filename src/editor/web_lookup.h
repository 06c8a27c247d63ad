#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "db/player_record.h"

namespace zelbor::editor {

// The player search of the statistics website the look-up opens, unless the configuration file
// names another; kNameMark stands for the player's name.
inline constexpr std::string_view kNameMark = "{name}";
inline constexpr std::string_view kDefaultLookupAddress =
    "https://stats.espncricinfo.com/ci/engine/stats/analysis.html?search={name};template=analysis";

// How long a started browser handler may take to fail: one without a browser to hand the address
// to fails at once; one still running after this is taken as the browser.
inline constexpr int kBrowserFailureWaitMilliseconds = 1500;

// Why `address` cannot be a look-up address, as a phrase ("has no {name}"); nothing when it can:
// an http or https address with a host and kNameMark once.
std::optional<std::string> lookupAddressProblem(std::string_view address);

// The site an address belongs to, as the label beside the fields names it: its host without the
// labels before the site's own name ("espncricinfo.com" of "stats.espncricinfo.com").
std::string lookupSiteName(std::string_view address);

// `address` with kNameMark replaced by a stored realName: the name up to its first NUL without
// the blanks around it, every space as "+" and every other character outside the unreserved URL
// set percent-encoded as UTF-8, so no character of a name can change the address itself.
std::string lookupAddress(std::string_view address,
                          std::span<const db::Byte, db::kNameWidth> realName);

}  // namespace zelbor::editor
