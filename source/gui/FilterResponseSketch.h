#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cpoint.h"

namespace VSTGUI {
class CDrawContext;
}

namespace korvel::gui {

// The rough shape of two filter sections mixed by low, band and high levels, drawn over a rectangle of
// `width` x `height` pixels whose top left is `origin`. Cutoffs (x) and widths (y) are 0..1. GUI thread only.
struct FilterResponse {
    VSTGUI::CPoint origin;
    double width = 0.0;
    double height = 0.0;
    // The sections ordered by cutoff.
    VSTGUI::CPoint left;
    VSTGUI::CPoint right;
    // Each 0..1; 0 leaves its part out.
    double low = 0.0;
    double band = 0.0;
    double high = 0.0;
    VSTGUI::CColor lowColour;
    VSTGUI::CColor bandColour;
    VSTGUI::CColor highColour;
};

void drawFilterResponse(VSTGUI::CDrawContext& context, const FilterResponse& response);

} // namespace korvel::gui
