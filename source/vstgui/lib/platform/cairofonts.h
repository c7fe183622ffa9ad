#pragma once

// Fonts through cairo's toy text API (fontconfig picks the file). GUI thread only.

#include "vstgui/lib/cfont.h"

#include <cairo.h>

namespace VSTGUI::cairofonts {

// Selects `font` (face and size) on `cr`.
void select(cairo_t* cr, const CFontDesc& font);

// Advance width of `text`.
CCoord stringWidth(const CFontDesc& font, const UTF8String& text);

// Height of a capital letter above the baseline.
CCoord capHeight(const CFontDesc& font);

} // namespace VSTGUI::cairofonts
