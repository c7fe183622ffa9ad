#pragma once

#include "vstgui/lib/vstguibase.h"

// Editor lengths derive from the system font size U and the small size S = trunc(0.7 U):
// u(k) = trunc(k U / 8) and s(k) = trunc(k S / 4), so at U = 12: u(k) = trunc(1.5 k), s(k) = 2 k.
// GUI thread only; the metrics are shared by every plug-in instance.
namespace korvel::gui {

// Reads U from the system font again (each editor open does this).
void updateLayoutMetrics();
double layoutU();
double layoutS();

VSTGUI::CCoord u(double k);
VSTGUI::CCoord s(double k);

} // namespace korvel::gui
