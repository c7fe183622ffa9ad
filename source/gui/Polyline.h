#pragma once

#include "vstgui/lib/cdrawcontext.h"

#include <span>

namespace korvel::gui {

// Draws the (start, end) pairs as separate segments in one stroke of `colour`. An empty range draws
// nothing and leaves the context's frame colour as it was.
void drawPolyline(VSTGUI::CDrawContext& context, std::span<const VSTGUI::CDrawContext::LinePair> lines,
                  const VSTGUI::CColor& colour);

} // namespace korvel::gui
