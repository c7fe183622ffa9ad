#include "gui/BreakpointConstraints.h"

#include "gui/CBreakpoints.h"

namespace korvel::gui {

namespace {

// Gives point `to` the level about to be set; a listener that does not keep its links itself hears of it.
void linkLevel(CBreakpoints& view, const VSTGUI::CPoint& point, std::size_t to)
{
    view.getPoints()[to].y = point.y;
    CBreakpointsListener* listener = view.getListener();
    if (listener && listener->linksItselfSet())
        listener->valueChanged(&view, static_cast<int>(to));
}

} // namespace

bool adPointConstraint(CBreakpoints* view, VSTGUI::CPoint& point, std::size_t index)
{
    auto& points = view->getPoints();
    if (index == 0 || index + 1 >= points.size()) {
        point = VSTGUI::CPoint(0.0, 0.0);
        return false;
    }
    point.y = 1.0;
    points[index].y = 1.0;
    return true;
}

bool adsrPointConstraint(CBreakpoints* view, VSTGUI::CPoint& point, std::size_t index)
{
    auto& points = view->getPoints();
    const std::size_t last = points.size() - 1;
    // The leak level links both ways at every level, 0 included, so the two ends never disagree.
    if (index == 0) {
        point.x = 0.0;
        points[0].x = 0.0;
        linkLevel(*view, point, last);
    } else if (index == last) {
        if (point.x < 1.0)
            point.x = 1.0;
        linkLevel(*view, point, 0);
    }
    if (index == 2 && points.size() >= 4)
        linkLevel(*view, point, 3);
    else if (index == 3)
        linkLevel(*view, point, 2);
    return true;
}

} // namespace korvel::gui
