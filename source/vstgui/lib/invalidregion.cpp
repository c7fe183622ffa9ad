#include "vstgui/lib/invalidregion.h"

#include <algorithm>

namespace VSTGUI {

void InvalidRegion::add(const CRect& rect)
{
    if (rect.isEmpty())
        return;
    for (const CRect& existing : pending)
        if (existing.rectInside(rect))
            return;
    std::erase_if(pending, [&](const CRect& existing) { return rect.rectInside(existing); });
    pending.push_back(rect);
    if (pending.size() > kMaxRects) {
        CRect all = pending.front();
        for (const CRect& r : pending)
            all.unite(r);
        pending.assign(1, all);
    }
}

std::vector<CRect> InvalidRegion::take()
{
    std::vector<CRect> result;
    result.swap(pending);
    return result;
}

} // namespace VSTGUI
