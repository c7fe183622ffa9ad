#pragma once

#include <string>
#include <string_view>

// Sound file paths are wide strings of Unicode code points; the file system
// takes UTF-8 whatever the process locale (a host may leave it at "C").
namespace korvel::utf8 {

// Throws std::range_error("bad conversion") on a malformed, overlong or
// truncated sequence, a surrogate or a code point above U+10FFFF.
std::wstring widen(std::string_view bytes);

// Throws std::range_error("bad conversion") on a surrogate or a code point
// above U+10FFFF.
std::string narrow(std::wstring_view text);
// narrow for messages: a unit that is no code point shows as '?' instead of throwing.
std::string narrowForDisplay(std::wstring_view text);

} // namespace korvel::utf8
