#pragma once

#include "vstgui/lib/cpoint.h"

#include <cstddef>

// Point constraints of the breakpoint editors (CBreakpoints::Constraint). GUI thread only.
namespace korvel::gui {

class CBreakpoints;

// Attack/decay shape: the end points stay where they are (refused); the inner points stay at the top.
bool adPointConstraint(CBreakpoints* view, VSTGUI::CPoint& point, std::size_t index);

// Keyboard envelope: the first point stays at x 0 and the last at x 1, and both share one level (the
// leak); points 2 and 3 share the sustain level. Always accepts.
bool adsrPointConstraint(CBreakpoints* view, VSTGUI::CPoint& point, std::size_t index);

} // namespace korvel::gui
