#include "gui/FontSet.h"

#include <algorithm>

namespace korvel::gui {
namespace {

using VSTGUI::CCoord;

CCoord growStep(CCoord size)
{
    if (size < 12)
        return 1;
    return size <= 16 ? 2 : 4;
}

CCoord shrinkStep(CCoord size)
{
    if (size <= 13)
        return 1;
    return size <= 18 ? 2 : 4;
}

} // namespace

FontSet::FontSet()
    : base(VSTGUI::kSystemFont),
      bold(VSTGUI::makeOwned<VSTGUI::CFontDesc>(base->getName(), base->getSize(), VSTGUI::kBoldFace))
{
}

VSTGUI::SharedPointer<VSTGUI::CFontDesc> FontSet::largerFont(int steps, int style)
{
    const CCoord size = base->getSize() + steps;
    if (steps != 1 || style != VSTGUI::kNormalFace)
        return VSTGUI::makeOwned<VSTGUI::CFontDesc>(base->getName(), size + growStep(size), style);
    if (!larger)
        larger = VSTGUI::makeOwned<VSTGUI::CFontDesc>(base->getName(), base->getSize() + growStep(base->getSize()),
                                                     VSTGUI::kNormalFace);
    return larger;
}

VSTGUI::CFontDesc* FontSet::smallerFont(int level)
{
    level = std::clamp(level, 1, SMALLER_LEVELS);
    auto& cached = smaller[level - 1];
    if (!cached) {
        CCoord size = base->getSize();
        for (int i = 0; i < level; ++i)
            size -= shrinkStep(size);
        cached = VSTGUI::makeOwned<VSTGUI::CFontDesc>(base->getName(), size, VSTGUI::kNormalFace);
    }
    return cached;
}

FontSet& fontSet()
{
    static FontSet set;
    return set;
}

} // namespace korvel::gui
