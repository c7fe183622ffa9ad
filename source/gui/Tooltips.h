#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {
class CControl;
class CView;
} // namespace VSTGUI

// Tooltips of the editor's controls, by parameter id or control tag. The table is constant; the
// setters run on the GUI thread.
namespace korvel::gui {

// The tooltip of a parameter id or tag, or null when it has none.
const char* tooltipFor(int tag);

// Each sets the view's tooltip attribute, or leaves the view as it is when there is no text.
void setTooltipForControl(VSTGUI::CControl* control);
// A null text falls back to the tooltip of the control's tag.
void setTooltipText(VSTGUI::CControl* control, const char* text);
void setTooltipForTag(VSTGUI::CView* view, int tag);

} // namespace korvel::gui
