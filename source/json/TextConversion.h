#pragma once

#include <string>
#include <string_view>

namespace JSON {

// The conversions between the JSON layer's wide text and bytes. On this
// platform there is no ANSI code page: written JSON text is plain ASCII (the
// writer escapes everything else), and read text takes each byte as the
// character of the same value.
// Threads: any thread.

// Each character below 128 becomes its byte; any other becomes '?', as a
// conversion without a mapping for it would give.
std::string toMultiByte(std::wstring_view text);

// Each byte becomes the character of the same value (0 to 255).
std::wstring widen(std::string_view bytes);

} // namespace JSON
