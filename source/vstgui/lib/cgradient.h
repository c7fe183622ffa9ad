#pragma once

#include "vstgui/lib/ccolor.h"

namespace VSTGUI {

// Two colour stops; equal colours make a flat fill. GUI thread only.
class CGradient : public CBaseObject {
public:
    // Stops at offsets start and end (0..1); the caller owns the returned reference.
    static CGradient* create(double startOffset, double endOffset, const CColor& startColor, const CColor& endColor)
    {
        return new CGradient(startOffset, endOffset, startColor, endColor);
    }

    double getStartOffset() const { return startOffset; }
    double getEndOffset() const { return endOffset; }
    const CColor& getStartColor() const { return startColor; }
    const CColor& getEndColor() const { return endColor; }

private:
    CGradient(double startOffset, double endOffset, const CColor& startColor, const CColor& endColor)
        : startOffset(startOffset), endOffset(endOffset), startColor(startColor), endColor(endColor)
    {
    }

    double startOffset;
    double endOffset;
    CColor startColor;
    CColor endColor;
};

} // namespace VSTGUI
