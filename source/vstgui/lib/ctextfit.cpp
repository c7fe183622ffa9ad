#include "vstgui/lib/ctextfit.h"

#include <string>
#include <vector>

namespace VSTGUI {
namespace {

// Blanks and the punctuation that would dangle before the ellipsis ("Spread: …", "x.wav - …").
bool dangles(char c) { return c == ' ' || c == ',' || c == ';' || c == ':' || c == '-' || c == '.'; }

std::string shortened(const std::string& text, std::size_t length)
{
    std::string head = text.substr(0, length);
    while (!head.empty() && dangles(head.back()))
        head.pop_back();
    return head.empty() ? head : head + kTextEllipsis;
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

UTF8String fitText(CDrawContext& context, const UTF8String& text, CCoord width)
{
    const std::string& whole = text.getString();
    if (whole.empty() || context.getStringWidth(text) <= width)
        return text;
    auto fits = [&](const std::string& candidate) {
        return !candidate.empty() && context.getStringWidth(candidate) <= width;
    };
    // Widths grow with the prefix, so the first word end that does not fit ends the search.
    std::string best;
    for (std::size_t blank = whole.find(' '); blank != std::string::npos; blank = whole.find(' ', blank + 1)) {
        const std::string candidate = shortened(whole, blank);
        if (candidate.empty())
            continue;
        if (!fits(candidate))
            break;
        best = candidate;
    }
    if (!best.empty())
        return best;
    std::vector<std::size_t> cuts; // character boundaries inside the text
    for (std::size_t at = 1; at < whole.size(); ++at)
        if (!isContinuationByte(whole[at]))
            cuts.push_back(at);
    // Binary search for the longest cut that fits: a long file name would take a measure per character.
    std::size_t low = 0;
    std::size_t high = cuts.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (fits(shortened(whole, cuts[middle])))
            low = middle + 1;
        else
            high = middle;
    }
    return low > 0 ? UTF8String(shortened(whole, cuts[low - 1])) : UTF8String(kTextEllipsis);
}

} // namespace VSTGUI
