#pragma once

#include "vstgui/lib/ccolor.h"

namespace korvel::gui {

// Lighter by `factor` > 1, or by 1 / factor for 0 < factor < 1 (so 0.5 lightens as 2 does); every
// channel first gains 5, and dark channels are lifted to at least 20 before scaling up. A factor of 0
// or below (or NaN) gives black. Alpha is kept.
VSTGUI::CColor lightenColour(const VSTGUI::CColor& colour, double factor);

// a at t = 0, b at t = 1, every channel including alpha; t is limited to [0, 1] (NaN counts as 1).
VSTGUI::CColor mixColours(const VSTGUI::CColor& a, const VSTGUI::CColor& b, double t);

// The contrast of two opaque colours as the accessibility guidelines define it: 1 (same luminance) to 21
// (black and white).
double contrastRatio(const VSTGUI::CColor& a, const VSTGUI::CColor& b);

// `text` when it stands out from `background` by at least `minimumRatio`, else `text` mixed toward black
// or white (whichever `background` suits better) just far enough. Alpha is kept.
VSTGUI::CColor readableOn(const VSTGUI::CColor& text, const VSTGUI::CColor& background, double minimumRatio = 3.0);

} // namespace korvel::gui
