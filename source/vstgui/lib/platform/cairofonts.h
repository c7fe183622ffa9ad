#pragma once

// Text through Pango on cairo (fontconfig picks the files, with per-character fallback). GUI thread only.

#include "vstgui/lib/cfont.h"
#include "vstgui/lib/cpoint.h"

#include <cairo.h>

namespace VSTGUI::cairofonts {

// Draws `text` in `font` with its baseline starting at `baselineStart`, in the current source.
void show(cairo_t* cr, const CFontDesc& font, const UTF8String& text, const CPoint& baselineStart);

// Advance width of `text`.
CCoord stringWidth(const CFontDesc& font, const UTF8String& text);

// Height of a capital letter above the baseline.
CCoord capHeight(const CFontDesc& font);

// How far the font's descenders reach below the baseline.
CCoord descent(const CFontDesc& font);

} // namespace VSTGUI::cairofonts
