#include "synth/loading/PathOrder.h"

#include <algorithm>
#include <cstdint>

namespace korvel::veldro {

namespace {

// Rank of a code point among UTF-16 code units: U+E000..U+FFFF encode above
// the surrogate pairs that carry U+10000 and up.
std::uint32_t utf16Rank(wchar_t unit)
{
    const auto c = std::uint32_t(unit);
    return c >= 0xE000 && c <= 0xFFFF ? c + 0x200000 : c;
}

} // namespace

bool PathOrder::operator()(const std::wstring& a, const std::wstring& b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return utf16Rank(x) < utf16Rank(y); });
}

} // namespace korvel::veldro
