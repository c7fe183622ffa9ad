#include "gui/Polyline.h"

namespace korvel::gui {

void drawPolyline(VSTGUI::CDrawContext& context, std::span<const VSTGUI::CDrawContext::LinePair> lines,
                  const VSTGUI::CColor& colour)
{
    if (lines.empty())
        return;
    // Kept between calls so that redrawing does not allocate; the GUI thread is the only caller.
    static VSTGUI::CDrawContext::LineList list;
    list.assign(lines.begin(), lines.end());
    context.setFrameColor(colour);
    context.drawLines(list);
}

} // namespace korvel::gui
