#pragma once

#include "gui/CBreakpoints.h"
#include "gui/Palette.h"

namespace korvel::gui {

// A breakpoint editor in the palette (background, frame, line and rings, selected ring) with rounded
// corners and the keyboard envelope's constraint. Returns a new view holding one reference. GUI thread
// only.
CBreakpoints* makeBreakpoints(std::size_t pointCount, const VSTGUI::CRect& rect, std::int32_t tag,
                              std::unique_ptr<CBreakpointsListener> listener, const Palette& palette);

} // namespace korvel::gui
