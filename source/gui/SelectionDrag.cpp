#include "gui/SelectionDrag.h"

#include <algorithm>
#include <cmath>

namespace korvel::gui {

void SelectionDrag::begin(double columnsLeft, double columnsRight, double x, bool both, std::int64_t frameCount,
                          Selection now)
{
    left = columnsLeft;
    right = std::max(columnsRight, columnsLeft);
    frames = std::max<std::int64_t>(frameCount, 0);
    if (both) {
        dragMode = BOTH;
    } else {
        const double span = right - left;
        const double count = frames > 0 ? double(frames) : 1.0;
        const double startX = std::trunc(span * now.start / count);
        const double endX = std::trunc(span * now.endOr(frames) / count);
        dragMode = nearerEdge(std::clamp(x, left, right) - left, startX, endX);
    }
    anchorFrame = frameAt(x);
    startAtDown = static_cast<std::int64_t>(clampToSound(now.start));
    endAtDown = static_cast<std::int64_t>(clampToSound(now.end >= 1.0 ? now.end : double(frames)));
}

SelectionDrag::Mode SelectionDrag::nearerEdge(double x, double startX, double endX)
{
    const bool startIsLeft = startX <= endX;
    const Mode leftEdge = startIsLeft ? START : END;
    const Mode rightEdge = startIsLeft ? END : START;
    const double lo = std::min(startX, endX);
    const double hi = std::max(startX, endX);
    if (x <= lo)
        return leftEdge;
    if (x >= hi)
        return rightEdge;
    return x - lo < hi - x ? leftEdge : rightEdge;
}

std::int64_t SelectionDrag::frameAt(double x) const
{
    const double span = right - left;
    if (span <= 0.0)
        return 0;
    const double frame = std::trunc((std::clamp(x, left, right) - left) * double(frames) / span + 0.5);
    return static_cast<std::int64_t>(std::clamp(frame, 0.0, double(frames)));
}

std::int64_t SelectionDrag::minFrames() const { return std::min(MIN_FRAMES, frames); }

double SelectionDrag::clampToSound(double frame) const
{
    return std::isfinite(frame) ? std::clamp(frame, 0.0, double(frames)) : 0.0;
}

SelectionWrite SelectionDrag::moveTo(double x, Selection now) const
{
    const std::int64_t s = frameAt(x);
    const std::int64_t gap = minFrames();
    SelectionWrite write;
    switch (dragMode) {
    case END: {
        const std::int64_t e = std::max(s, gap);
        if (clampToSound(now.start) + double(gap) > double(e))
            write.start = double(e - gap);
        write.end = double(e);
        break;
    }
    case START: {
        const std::int64_t b = std::min(s, frames - gap);
        if (double(b) > clampToSound(now.endOr(frames)) - double(gap))
            write.end = double(b + gap);
        write.start = double(b);
        break;
    }
    case BOTH: {
        const std::int64_t d = std::max(-startAtDown, std::min(frames - endAtDown, s - anchorFrame));
        write.start = clampToSound(double(startAtDown + d));
        write.end = clampToSound(double(endAtDown + d));
        break;
    }
    case NONE:
        break;
    }
    return write;
}

SelectionWrite SelectionDrag::restore() const
{
    if (dragMode == NONE)
        return {};
    return {double(startAtDown), double(endAtDown)};
}

} // namespace korvel::gui
