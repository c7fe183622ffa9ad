#include "utility/Utf8.h"

#include <cstdint>
#include <stdexcept>

namespace korvel::utf8 {

namespace {

constexpr std::uint32_t MAX_CODE_POINT = 0x10FFFF;

bool isSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

[[noreturn]] void badConversion() { throw std::range_error("bad conversion"); }

// Length of the sequence a lead byte opens and the bits it carries; 0 for a
// byte that cannot lead.
int sequenceLength(unsigned char lead, std::uint32_t& bits)
{
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        bits = lead & 0x1F;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        bits = lead & 0x0F;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

} // namespace

std::wstring widen(std::string_view bytes)
{
    // The smallest code point that needs a sequence of each length.
    constexpr std::uint32_t SHORTEST[5] = {0, 0, 0x80, 0x800, 0x10000};
    std::wstring out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        std::uint32_t c = 0;
        const int length = sequenceLength(static_cast<unsigned char>(bytes[i]), c);
        if (length == 0 || bytes.size() - i < std::size_t(length))
            badConversion();
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + std::size_t(k)]);
            if ((next & 0xC0) != 0x80)
                badConversion();
            c = (c << 6) | (next & 0x3F);
        }
        if (c < SHORTEST[length] || c > MAX_CODE_POINT || isSurrogate(c))
            badConversion();
        out += wchar_t(c);
        i += std::size_t(length);
    }
    return out;
}

namespace {

// Appends the UTF-8 of each unit; a unit that is no code point goes to `invalid`.
template <typename OnInvalid>
std::string encode(std::wstring_view text, OnInvalid invalid)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t unit : text) {
        const auto c = std::uint32_t(unit);
        if (c > MAX_CODE_POINT || isSurrogate(c)) {
            invalid(out);
            continue;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            out += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
        } else {
            out += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
                    char(0x80 | (c & 0x3F))};
        }
    }
    return out;
}

} // namespace

std::string narrow(std::wstring_view text)
{
    return encode(text, [](std::string&) { badConversion(); });
}

std::string narrowForDisplay(std::wstring_view text)
{
    return encode(text, [](std::string& out) { out += '?'; });
}

} // namespace korvel::utf8
