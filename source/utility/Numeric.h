#pragma once

#include <cstdint>
#include <string>

namespace korvel {

// Whether the first n characters of s (n >= 2; the whole text for a large n)
// read as a plain decimal number: an optional leading '+', '-' or '.', then
// digits with at most one '.'. Any thread.
bool is_numeric(const std::wstring& s, std::uint32_t n);

} // namespace korvel
