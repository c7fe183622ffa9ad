#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/cgradient.h"

#include <initializer_list>

namespace korvel::gui {

// Sets on the context the first of `fonts` (larger ones first) in which `text` fits `width` whole and
// returns the text. Failing that, the last font shrunk as far as `smallestSize` when the text then fits
// whole, else the last font and the text shortened with "…".
VSTGUI::UTF8String fitTextInFonts(VSTGUI::CDrawContext& context, const VSTGUI::UTF8String& text, VSTGUI::CCoord width,
                                  std::initializer_list<VSTGUI::CFontDesc*> fonts, VSTGUI::CCoord smallestSize = 0.);

// The text as it fits `width` in the context's font, for a status text that holds values: whole, else with
// its words abbreviated and then left out from the first on, never a number or the unit after it; only
// where those alone do not fit, or for a text without digits, shortened with "…".
VSTGUI::UTF8String fitValueText(VSTGUI::CDrawContext& context, const VSTGUI::UTF8String& text, VSTGUI::CCoord width);

// Raises the context's font colour, where it needs it, to read on a text button's fill (an opaque flat
// gradient; any other fill is left alone): senders and themes do not know the button's background.
void makeFontColourReadableOn(VSTGUI::CDrawContext& context, const VSTGUI::CGradient* fill);

} // namespace korvel::gui
