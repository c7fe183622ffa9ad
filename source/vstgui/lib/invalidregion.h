#pragma once

#include "vstgui/lib/crect.h"

#include <vector>

namespace VSTGUI {

// The frame's pending invalid rects, kept apart and unrounded so views can test exactly what
// needs drawing. GUI thread only.
class InvalidRegion {
public:
    static constexpr std::size_t kMaxRects = 64;

    // Drops empty and covered rects, removes rects the new one covers; past kMaxRects all collapse
    // into their union.
    void add(const CRect& rect);
    const std::vector<CRect>& rects() const { return pending; }
    std::vector<CRect> take();
    bool empty() const { return pending.empty(); }

private:
    std::vector<CRect> pending;
};

} // namespace VSTGUI
