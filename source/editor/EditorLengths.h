#pragma once

#include "gui/LayoutMetrics.h"

// The editor window's named lengths, all derived from the font size (see LayoutMetrics).
namespace korvel::lengths {

// A knob's side.
inline VSTGUI::CCoord knob() { return gui::s(30); }
// Between neighbouring views.
inline VSTGUI::CCoord gap() { return gui::s(4); }
// Between rows.
inline VSTGUI::CCoord padding() { return gui::u(4); }
// A label under a knob.
inline VSTGUI::CCoord labelHeight() { return gui::u(11); }
// How much shorter than its place a controller pad is: room for its amount slider.
inline VSTGUI::CCoord padTrim() { return gui::u(10); }

} // namespace korvel::lengths
