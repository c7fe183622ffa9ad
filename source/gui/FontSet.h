#pragma once

#include "vstgui/lib/cfont.h"

namespace korvel::gui {

// The editor's fonts: the system font and fonts a few size steps away from it. A size grows by 1
// below 12, by 2 up to 16 and by 4 above; it shrinks by 1 up to 13, by 2 up to 18 and by 4 above.
// GUI thread only; the process-wide set is shared by every plug-in instance.
class FontSet {
public:
    FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    VSTGUI::CFontDesc* baseFont() const { return base; }
    VSTGUI::CFontDesc* boldFont() const { return bold; }

    // One step up from the base font, plain (made once), or for other arguments a new font of the
    // size (base + steps) grown one step, in `style`.
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> largerFont(int steps = 1, int style = VSTGUI::kNormalFace);
    // The base font shrunk `level` steps, plain, made once per level; levels beyond 1..2 are limited to it.
    VSTGUI::CFontDesc* smallerFont(int level);

    static constexpr int SMALLER_LEVELS = 2;

private:
    VSTGUI::CFontDesc* base;
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> bold;
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> larger;
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> smaller[SMALLER_LEVELS];
};

// The process-wide font set, made on first use.
FontSet& fontSet();

} // namespace korvel::gui
