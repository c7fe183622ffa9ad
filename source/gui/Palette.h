#pragma once

#include "vstgui/lib/ccolor.h"

namespace korvel::gui {

// The four colours a view is styled with.
struct Palette {
    // An accent of exactly transparent white means "no accent": the text colour serves.
    constexpr Palette(const VSTGUI::CColor& background, const VSTGUI::CColor& frame, const VSTGUI::CColor& text,
                      const VSTGUI::CColor& accent)
        : background(background), frame(frame), text(text),
          accent(accent == VSTGUI::kTransparentCColor ? text : accent)
    {
    }

    constexpr bool operator==(const Palette&) const = default;

    VSTGUI::CColor background;
    VSTGUI::CColor frame;
    VSTGUI::CColor text;
    VSTGUI::CColor accent;
};

} // namespace korvel::gui
