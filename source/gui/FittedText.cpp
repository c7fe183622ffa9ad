#include "gui/FittedText.h"

#include "gui/ColourMath.h"
#include "vstgui/lib/ctextfit.h"

#include <cmath>
#include <map>
#include <string>
#include <utility>

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

} // namespace

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
