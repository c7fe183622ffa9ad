#pragma once

#include <string>

namespace JSON {

// Number texts built with std::to_chars, so they are the classic "C" texts
// whatever locale the process or host has set.

// Six significant digits, trailing zeros dropped, exponent form for very small
// or large magnitudes (printf's "%g").
std::string formatGeneral(double number);

// The writer's text of a number: the integer part exactly, then at most six
// decimals without trailing zeros. Numbers beyond the signed 64-bit range are
// written like small ones ("1e+20"); infinities and NaN, which no stored
// value may hold, are written as "1e999" or "-1e999" (NaN as "1e999"), which
// the reader reads as infinite, outside every range a reader of stored values
// accepts, so such a value reads back as its default.
std::string formatNumber(double number);

} // namespace JSON
