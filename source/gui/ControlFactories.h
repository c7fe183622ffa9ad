#pragma once

#include "gui/CGroupbox.h"
#include "gui/CTextDisplay.h"
#include "gui/CTextSlider.h"
#include "gui/Palette.h"

#include <string>

// Builders of the editor's custom controls in a palette and the editor's fonts. Each returns a new view
// holding one reference, for the caller to add to a container. GUI thread only.
namespace korvel::gui {

// Frame and title in `colour`, or in the palette's accent when `colour` is transparent white. With
// `withStatus`, a status display fills the bottom u(8) of the content area and becomes the box's
// status receiver.
CGroupbox* makeGroupbox(const VSTGUI::CRect& rect, const char* title, const Palette& palette,
                        const VSTGUI::CColor& colour, bool withStatus);

// Shows `text` (when not empty) after `label` (when not empty); takes no clicks and no focus.
CTextDisplay* makeTextDisplay(const VSTGUI::CRect& rect, const VSTGUI::UTF8String& text,
                              const VSTGUI::UTF8String& label, const Palette& palette);

// Horizontal when wider than high; the pointer range reaches 2 pixels past both ends.
CTextSlider* makeTextSlider(const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, VSTGUI::int32 tag,
                            const std::string& format, const Palette& palette);

// (left, bottom + d) and (right + d, top): where the next view goes below or right of `rect`.
VSTGUI::CPoint rectBottomLeftOffset(const VSTGUI::CRect& rect, VSTGUI::CCoord d);
VSTGUI::CPoint rectTopRightOffset(const VSTGUI::CRect& rect, VSTGUI::CCoord d);

} // namespace korvel::gui
