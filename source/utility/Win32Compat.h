#pragma once

// Stand-ins for the few Win32 calls the instrument was designed around.

#include <cstdint>
#include <functional>

namespace korvel::win32 {

// System colour roles, numbered as Win32 numbers them (COLOR_SCROLLBAR = 0 ...
// COLOR_INFOBK = 24).
constexpr int SYSTEM_COLOUR_COUNT = 25;

// A fixed table of the classic desktop colours: the "system" theme looks the
// same on every machine. The result is packed 0x00BBGGRR like a COLORREF.
std::uint32_t GetSysColor(int index);

inline std::uint8_t redOf(std::uint32_t colorref) { return colorref & 0xFF; }
inline std::uint8_t greenOf(std::uint32_t colorref) { return (colorref >> 8) & 0xFF; }
inline std::uint8_t blueOf(std::uint32_t colorref) { return (colorref >> 16) & 0xFF; }

// Milliseconds from a monotonic clock, wrapping at 2^32 like GetTickCount.
std::uint32_t GetTickCount();

// Tests replace the clock; an empty function restores the real one.
void setTickSourceForTesting(std::function<std::uint32_t()> source);

} // namespace korvel::win32
