#pragma once

#include <string>
#include <string_view>

namespace JSON {

// Number texts built with std::to_chars and read with std::from_chars, so they
// are the classic "C" texts whatever locale the process or host has set.

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

// The double nearest to integerDigits.fractionDigits x 10^exponent (digit runs
// of '0'-'9', either may be empty; no digits at all read as zero), infinite or
// zero beyond the double range. Correctly rounded, so a text that formatNumber
// wrote reads back as a number that formatNumber writes as the same text.
double decimalValue(std::string_view integerDigits, std::string_view fractionDigits, double exponent);

} // namespace JSON
