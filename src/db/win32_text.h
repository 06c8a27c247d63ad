#pragma once

#include <string>
#include <string_view>

namespace zelbor::db {

// Text at the Win32 edge: the program keeps UTF-8 inside and speaks UTF-16 to Windows.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

// The system's own wording of a Win32 error code, in UTF-8, without a closing full stop.
std::string systemReason(unsigned long errorCode);

}  // namespace zelbor::db
