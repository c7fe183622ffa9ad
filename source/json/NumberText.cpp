#include "json/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace JSON {
namespace {

// Long enough for any double in "%g" or "%f" of a fraction, and any 64-bit integer.
constexpr std::size_t BUFFER_SIZE = 32;

std::string formatFixedSix(double fraction)
{
    char buffer[BUFFER_SIZE];
    const auto result = std::to_chars(buffer, buffer + BUFFER_SIZE, fraction, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string formatInteger(std::int64_t number)
{
    char buffer[BUFFER_SIZE];
    const auto result = std::to_chars(buffer, buffer + BUFFER_SIZE, number);
    return std::string(buffer, result.ptr);
}

// The decimals of a fraction in [0, 1) starting with '.', or "" when none
// survive; `carries` is set when six decimals round it up to 1.
std::string decimalsOf(double fraction, bool& carries)
{
    std::string text = formatFixedSix(fraction);
    carries = text.front() == '1';
    if (carries)
        return {};
    text.erase(text.find_last_not_of('0') + 1);
    text.erase(0, 1);
    return text == "." ? std::string() : text;
}

// Beyond this power of ten any number text shorter than a hundred million
// digits lies outside the double range, so capping the exponent there changes
// no result and keeps it an int.
constexpr double EXPONENT_CAP = 1e8;

// The power of ten of the first non-zero digit; it tells an overflow from an
// underflow. All-zero digits never leave the double range.
std::int64_t leadingPower(std::string_view integerDigits, std::string_view fractionDigits, std::int64_t exponent)
{
    const auto firstInteger = integerDigits.find_first_not_of('0');
    if (firstInteger != std::string_view::npos)
        return exponent + static_cast<std::int64_t>(integerDigits.size() - firstInteger) - 1;
    return exponent - static_cast<std::int64_t>(fractionDigits.find_first_not_of('0')) - 1;
}

} // namespace

std::string formatGeneral(double number)
{
    char buffer[BUFFER_SIZE];
    const auto result = std::to_chars(buffer, buffer + BUFFER_SIZE, number, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string formatNumber(double number)
{
    if (!std::isfinite(number))
        return std::isinf(number) && number < 0 ? "-1e999" : "1e999";
    // Converting a double outside this range to an integer is undefined.
    constexpr double INTEGER_LIMIT = 0x1p63;
    if (!(number >= -INTEGER_LIMIT && number < INTEGER_LIMIT))
        return formatGeneral(number);
    std::int64_t whole = static_cast<std::int64_t>(number);
    if (whole == 0)
        return formatGeneral(number);
    const double fraction = std::fabs(number - static_cast<double>(whole));
    if (!(fraction > 1e-8))
        return formatInteger(whole);
    bool carries = false;
    const std::string decimals = decimalsOf(fraction, carries);
    if (carries)
        whole += whole < 0 ? -1 : 1;
    return formatInteger(whole) + decimals;
}

double decimalValue(std::string_view integerDigits, std::string_view fractionDigits, double exponent)
{
    if (integerDigits.empty() && fractionDigits.empty())
        return 0.0;
    const auto power = static_cast<std::int64_t>(std::clamp(exponent, -EXPONENT_CAP, EXPONENT_CAP));
    std::string text(integerDigits.empty() ? std::string_view("0") : integerDigits);
    if (!fractionDigits.empty()) {
        text += '.';
        text += fractionDigits;
    }
    text += 'e';
    text += formatInteger(power);
    double value = 0.0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc::result_out_of_range)
        return leadingPower(integerDigits, fractionDigits, power) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

} // namespace JSON
