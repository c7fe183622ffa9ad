#include "gui/CBreakpoints.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"

#include <cmath>

namespace korvel::gui {

using namespace VSTGUI;

namespace {

// a below a, b above b, else v.
double clampLow(double v, double a, double b) { return v < a ? a : (v > b ? b : v); }

// Out-of-range (and undefined) positions snap to the nearer edge of the unit square.
double clampUnit(double v) { return v >= 0.0 && v <= 1.0 ? v : (v > 1.0 ? 1.0 : 0.0); }

// Only the left button alone starts a drag.
bool isLeftPress(const CButtonState& buttons) { return (buttons & 0x30E) == kLButton; }

} // namespace

CBreakpoints::CBreakpoints(const CRect& size, std::int32_t tag, std::unique_ptr<CBreakpointsListener> listener,
                           std::size_t pointCount)
    : CView(size), tag(tag), points(pointCount), listener(std::move(listener))
{
    mask = 16;
    if (this->listener)
        this->listener->setView(this);
}

CBreakpoints::~CBreakpoints() = default;

void CBreakpoints::setFrameWidth(double width)
{
    if (width == frameWidth)
        return;
    frameWidth = width;
    invalid();
}

void CBreakpoints::setRoundRectRadius(double radius)
{
    if (radius == roundRectRadius)
        return;
    roundRectRadius = radius;
    invalid();
}

void CBreakpoints::setColour(ColourIndex index, const CColor& colour)
{
    colours[index] = colour;
    invalid();
}

CBreakpoints::PointArea CBreakpoints::pointArea() const
{
    const CRect& r = getViewSize();
    return {r.left + frameWidth, r.right - frameWidth, r.top + frameWidth, r.bottom - frameWidth};
}

CPoint CBreakpoints::toView(const CPoint& point) const
{
    const PointArea a = pointArea();
    return {a.x0 + point.x * (a.x1 - a.x0), a.y1 - point.y * (a.y1 - a.y0)};
}

CPoint CBreakpoints::normalise(const CPoint& where) const
{
    const PointArea a = pointArea();
    return {clampUnit((where.x - a.x0) / (a.x1 - a.x0)), clampUnit(1.0 - (where.y - a.y0) / (a.y1 - a.y0))};
}

void CBreakpoints::drawBackground(CDrawContext* context)
{
    context->setLineWidth(frameWidth);
    context->setLineStyle(kLineSolid);
    context->setFillColor(colours[BACKGROUND]);
    context->setFrameColor(colours[FRAME]);
    context->setDrawMode(kAntiAliasing);
    if (roundRectRadius == 0.0) {
        context->drawRect(getViewSize(), kDrawFilledAndStroked);
        return;
    }
    auto path = owned(context->createRoundRectGraphicsPath(getViewSize(), roundRectRadius));
    context->drawGraphicsPath(path, CDrawContext::kPathFilled);
    context->drawGraphicsPath(path, CDrawContext::kPathStroked);
}

void CBreakpoints::draw(CDrawContext* context)
{
    drawBackground(context);
    if (!points.empty()) {
        const PointArea a = pointArea();
        CDrawContext::LineList lines;
        CPoint from(a.x0, a.y1);
        for (const CPoint& point : points) {
            const CPoint to = toView(point);
            lines.emplace_back(from, to);
            from = to;
        }
        context->setLineWidth(1.0);
        context->setFrameColor(colours[LINE]);
        context->drawLines(lines);

        context->setLineWidth(2.0);
        for (std::size_t k = 0; k < points.size(); ++k) {
            const bool isSelected = static_cast<int>(k) == selected;
            const double radius = (isSelected ? 1.5 : 1.0) * handleSize * 0.5;
            const CPoint centre = toView(points[k]);
            context->setFrameColor(colours[isSelected ? SELECTED : LINE]);
            context->drawEllipse({centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius},
                                 kDrawStroked);
        }
    }
    setDirty(false);
}

int CBreakpoints::nearestPoint(const CPoint& at) const
{
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const CPoint& a = points[i];
        const CPoint& b = points[i + 1];
        if (a.x <= at.x && at.x <= b.x) {
            const double toA = std::abs(at.x - a.x) + std::abs(at.y - a.y);
            const double toB = std::abs(at.x - b.x) + std::abs(at.y - b.y);
            return static_cast<int>(toB < toA ? i + 1 : i);
        }
    }
    return static_cast<int>(points.size()) - 1;
}

CMouseEventResult CBreakpoints::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    endDrag();
    if (points.empty() || !isLeftPress(buttons))
        return kMouseEventNotHandled;
    CPoint at = normalise(where);
    selected = nearestPoint(at);
    if (constraint && !constraint(this, at, static_cast<std::size_t>(selected))) {
        selected = -1;
        return kMouseEventNotHandled;
    }
    dragged = &points[static_cast<std::size_t>(selected)];
    pointAtDown = previous = *dragged;
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

double CBreakpoints::pushNeighbours(double nx, int& pushed)
{
    const int i = selected;
    const int n = static_cast<int>(points.size());
    const double cur = dragged->x;
    auto x = [this](int k) -> double& { return points[static_cast<std::size_t>(k)].x; };
    pushed = -1;
    if (nx > pointAtDown.x && i < n - 1 && x(i + 1) < nx) {
        pushed = i + 1;
        const double limit = i < n - 2 ? x(i + 2) : 1.0;
        if (i < n - 2 ? nx >= limit : x(i + 1) >= limit)
            return previous.x;
        x(i + 1) = clampLow((nx - previous.x) * 0.5 + x(i + 1), x(i + 1), limit);
        // The dragged point follows up to the neighbour it pushes, never past it.
        return clampLow(nx, cur, x(i + 1));
    }
    if (nx <= pointAtDown.x && i > 0 && nx < x(i - 1)) {
        pushed = i - 1;
        if (i < 2 || nx <= x(i - 2))
            return previous.x;
        x(i - 1) = clampLow(x(i - 1) - (previous.x - nx) * 0.5, x(i - 2), x(i - 1));
        return clampLow(nx, x(i - 1), cur);
    }
    return nx;
}

CMouseEventResult CBreakpoints::onMouseMoved(CPoint& where, const CButtonState&)
{
    if (!dragged)
        return kMouseEventNotHandled;
    const int i = selected;
    CPoint at = normalise(where);
    if (constraint && !constraint(this, at, static_cast<std::size_t>(i))) {
        endDrag();
        return kMouseEventHandled;
    }
    int pushed = -1;
    const double x = pushNeighbours(at.x, pushed);
    previous = *dragged;
    *dragged = CPoint(x, at.y);
    if (listener) {
        listener->valueChanged(this, i);
        if (listener->linksItselfSet() && pushed >= 0)
            listener->valueChanged(this, pushed);
    }
    invalid();
    if (listener)
        sendText(listener->pointText(i).c_str(), kTransparentCColor);
    return kMouseEventHandled;
}

CMouseEventResult CBreakpoints::onMouseUp(CPoint&, const CButtonState&)
{
    endDrag();
    return kMouseEventHandled;
}

CMouseEventResult CBreakpoints::onMouseCancel()
{
    endDrag();
    return kMouseEventHandled;
}

void CBreakpoints::paramChanged(std::uint32_t)
{
    endDrag();
    invalid();
}

void CBreakpoints::editParam(int id)
{
    if (dragged)
        gesture.open(getFrame(), id);
}

void CBreakpoints::endDrag()
{
    dragged = nullptr;
    // The selected point is drawn enlarged until the view redraws it.
    if (selected >= 0)
        invalid();
    selected = -1;
    gesture.close();
}

} // namespace korvel::gui
