#include "gui/BreakpointsFactory.h"

#include "gui/BreakpointConstraints.h"
#include "gui/LayoutMetrics.h"

namespace korvel::gui {

CBreakpoints* makeBreakpoints(std::size_t pointCount, const VSTGUI::CRect& rect, std::int32_t tag,
                              std::unique_ptr<CBreakpointsListener> listener, const Palette& palette)
{
    auto* view = new CBreakpoints(rect, tag, std::move(listener), pointCount);
    view->setFrameWidth(2.0);
    view->setRoundRectRadius(s(3));
    view->setConstraint(adsrPointConstraint);
    view->setColour(CBreakpoints::BACKGROUND, palette.background);
    view->setColour(CBreakpoints::FRAME, palette.frame);
    view->setColour(CBreakpoints::LINE, palette.text);
    view->setColour(CBreakpoints::SELECTED, palette.accent);
    return view;
}

} // namespace korvel::gui
