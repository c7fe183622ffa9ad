#include "gui/FittedText.h"

#include "gui/ColourMath.h"
#include "vstgui/lib/ctextfit.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel::gui {

using namespace VSTGUI;

namespace {

// Shrunk fonts live for the process, as the font set's own do: a redraw must not make new ones.
CFontDesc* fontOfSize(const CFontDesc& like, CCoord size)
{
    static std::map<std::pair<std::string, CCoord>, SharedPointer<CFontDesc>> made;
    SharedPointer<CFontDesc>& font = made[{like.getName().getString(), size}];
    if (!font)
        font = makeOwned<CFontDesc>(like.getName(), size, like.getStyle());
    return font;
}

// One blank-separated piece of a status text; a kept one is a number or its unit, never shortened.
struct Piece {
    std::string text;
    bool kept;
};

bool hasDigit(std::string_view piece)
{
    return std::any_of(piece.begin(), piece.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

bool isNumber(std::string_view piece)
{
    std::size_t at = piece.find_first_not_of("([+-");
    if (at != std::string_view::npos && piece[at] == '.')
        ++at;
    return at < piece.size() && std::isdigit(static_cast<unsigned char>(piece[at]));
}

// Punctuation that closes a number's phrase: what follows it names the next value, not this one's unit.
bool closesPhrase(std::string_view piece) { return !piece.empty() && std::strchr(",;:)]", piece.back()); }

std::size_t codePoints(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string firstCodePoints(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    for (std::size_t seen = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == count)
            break;
    }
    return std::string(text.substr(0, end));
}

// Units are the short words right after a number ("12.0 semi", "2.00 / s").
constexpr std::size_t UNIT_WORDS = 2;
constexpr std::size_t UNIT_LENGTH = 5;
// Words abbreviated to this many characters and a full stop, when longer than one more.
constexpr std::size_t ABBREVIATION = 3;

std::vector<Piece> piecesOf(const std::string& text)
{
    std::vector<Piece> pieces;
    std::size_t unitWords = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view piece(text.data() + start, end - start);
        const bool unit =
            unitWords > 0 && !piece.empty() && !hasDigit(piece) && codePoints(piece) <= UNIT_LENGTH;
        pieces.push_back({std::string(piece), unit || hasDigit(piece)});
        if (isNumber(piece) && !closesPhrase(piece))
            unitWords = UNIT_WORDS;
        else
            unitWords = unit && !closesPhrase(piece) ? unitWords - 1 : 0;
        start = end + 1;
    }
    return pieces;
}

std::string joined(const std::vector<Piece>& pieces)
{
    std::string text;
    for (const Piece& piece : pieces) {
        if (!text.empty())
            text += ' ';
        text += piece.text;
    }
    return text;
}

} // namespace

UTF8String fitValueText(CDrawContext& context, const UTF8String& text, CCoord width)
{
    const std::string& whole = text.getString();
    if (context.getStringWidth(text) <= width || !hasDigit(whole))
        return fitText(context, text, width);
    std::vector<Piece> pieces = piecesOf(whole);
    auto fits = [&] { return context.getStringWidth(joined(pieces).c_str()) <= width; };
    // Leading words name what the display's place already tells, so they go first.
    for (Piece& piece : pieces) {
        if (piece.kept || codePoints(piece.text) <= ABBREVIATION + 1)
            continue;
        const char last = piece.text.back();
        piece.text = firstCodePoints(piece.text, ABBREVIATION) + ".";
        if (std::strchr(",;:", last))
            piece.text += last;
        if (fits())
            return joined(pieces);
    }
    for (auto piece = pieces.begin(); piece != pieces.end();) {
        if (piece->kept) {
            ++piece;
            continue;
        }
        piece = pieces.erase(piece);
        if (fits())
            return joined(pieces);
    }
    return fitText(context, joined(pieces), width);
}

UTF8String fitTextInFonts(CDrawContext& context, const UTF8String& text, CCoord width,
                          std::initializer_list<CFontDesc*> fonts, CCoord smallestSize)
{
    CFontDesc* last = nullptr;
    CCoord textWidth = 0.;
    for (CFontDesc* font : fonts) {
        context.setFont(font);
        last = font;
        textWidth = context.getStringWidth(text);
        if (textWidth <= width)
            return text;
    }
    if (!last)
        return fitText(context, text, width);
    // Text widths scale with the font size; half steps keep the number of shrunk fonts small.
    const CCoord scaled = std::floor(2. * last->getSize() * width / textWidth) / 2.;
    for (CCoord size = scaled; smallestSize > 0. && size >= smallestSize; size -= 0.5) {
        context.setFont(fontOfSize(*last, size));
        if (context.getStringWidth(text) <= width)
            return text;
    }
    context.setFont(last);
    return fitText(context, text, width);
}

void makeFontColourReadableOn(CDrawContext& context, const CGradient* fill)
{
    if (fill && fill->getStartColor().alpha == 255 && fill->getStartColor() == fill->getEndColor())
        context.setFontColor(readableOn(context.getFontColor(), fill->getStartColor()));
}

} // namespace korvel::gui
