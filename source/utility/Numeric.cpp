#include "utility/Numeric.h"

#include "utility/Check.h"

namespace korvel {
namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

} // namespace

bool is_numeric(const std::wstring& s, std::uint32_t limit) {
    // Signed, so that the check reads as written and compiles without a warning.
    const std::int64_t n = limit;
    KORVEL_CHECK(n < 0 || n > 1);
    if (s.empty())
        return false;
    if (s.size() == 1)
        return isDigit(s[0]);
    const wchar_t first = s[0];
    if (!isDigit(first) && first != L'+' && first != L'-' && first != L'.')
        return false;
    bool seenPoint = first == L'.';
    for (std::size_t i = 1; i < s.size() && i < limit; ++i) {
        if (isDigit(s[i]))
            continue;
        if (s[i] != L'.' || seenPoint)
            return false;
        seenPoint = true;
    }
    return true;
}

} // namespace korvel
